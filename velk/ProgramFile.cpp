#include "ProgramFile.h"

#include "CurrentDirectory.h"

#include <windows.h>

namespace {

bool RunsUnderWow64()
{
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

DWORD Attributes(const std::string& path)
{
    // No "insert a disk" box for a drive without a medium: that is just absent.
    DWORD errorMode = 0;
    const bool quiet = SetThreadErrorMode(SEM_FAILCRITICALERRORS, &errorMode) != FALSE;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (quiet) SetThreadErrorMode(errorMode, nullptr);
    return attributes;
}

} // namespace

bool IsDevicePath(const std::string& path)
{
    const std::optional<std::string> full = FullPathName(path);
    return full && full->compare(0, 4, "\\\\.\\") == 0;
}

bool IsProgramFile(const std::string& path)
{
    static const bool wow64 = RunsUnderWow64();
    // Redirection is off for this one check only: with it off, loading a
    // library would load the 64-bit one.
    void* redirection = nullptr;
    const bool off = wow64 && Wow64DisableWow64FsRedirection(&redirection) != FALSE;
    const DWORD attributes = Attributes(path);
    if (off) Wow64RevertWow64FsRedirection(redirection);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
           !IsDevicePath(path);
}
