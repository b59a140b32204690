#include "PathExists.h"

#include <windows.h>
#include <shlwapi.h>

namespace {

bool RunsUnderWow64()
{
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

} // namespace

bool PathExists(const std::string& path)
{
    static const bool wow64 = RunsUnderWow64();
    if (!wow64) return PathFileExistsA(path.c_str()) != FALSE;

    // Redirection is off for this one check only: with it off, loading a
    // library would load the 64-bit one.
    void* redirection = nullptr;
    const bool off = Wow64DisableWow64FsRedirection(&redirection) != FALSE;
    const BOOL exists = PathFileExistsA(path.c_str());
    if (off) Wow64RevertWow64FsRedirection(redirection);
    return exists != FALSE;
}
