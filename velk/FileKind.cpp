#include "FileKind.h"

#include "PathText.h"
#include "WindowsPaths.h"

#include <windows.h>

namespace {

bool RunsUnderWow64()
{
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

DWORD Attributes(const std::wstring& path)
{
    // No "insert a disk" box for a drive without a medium: that is just absent.
    DWORD errorMode = 0;
    const bool quiet = SetThreadErrorMode(SEM_FAILCRITICALERRORS, &errorMode) != FALSE;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (quiet) SetThreadErrorMode(errorMode, nullptr);
    return attributes;
}

// A full path (OpenedFile's form) as Windows is to read it: as it stands,
// behind \\?\ (\\?\UNC\ for a share). Its full form is made already, and
// another reading would make a device of what it names: C:\d\NUL\. opens a
// file NUL in C:\d, where C:\d\NUL read again is the device NUL. It also
// holds any length.
std::wstring ForFileCalls(const std::wstring& full)
{
    switch (ClassifyPath(full).form) {
    case PathForm::Literal: return full;
    case PathForm::Unc: return L"\\\\?\\UNC\\" + full.substr(2);
    default: return L"\\\\?\\" + full;
    }
}

bool IsDevice(const std::wstring& opened)
{
    const PathForm form = ClassifyPath(opened).form;
    if (form == PathForm::Device) return true;
    // After \\?\, a name in no folder (\\?\NUL, \\?\C:) is an object of
    // Windows' device namespace, not a file. A longer one is read as written:
    // Windows makes no device of C:\x\NUL there.
    return form == PathForm::Literal && opened.find(L'\\', 4) == std::wstring::npos;
}

// The last four characters before the trailing dots and spaces that Windows
// drops from a file name, upper-cased.
std::wstring Extension(const std::wstring& file)
{
    const std::size_t last = file.find_last_not_of(L". ");
    if (last == std::wstring::npos || last < 3) return std::wstring();
    return ToUpperAscii(file.substr(last - 3, 4));
}

} // namespace

TargetKind FileKind(const std::wstring& opened)
{
    if (IsDevice(opened)) return TargetKind::Device;
    switch (FindStream(opened)) {
    case StreamPlace::FileName: return TargetKind::Stream;
    case StreamPlace::Folder: return TargetKind::Nothing;
    case StreamPlace::None: break;
    }
    static const bool wow64 = RunsUnderWow64();
    // Redirection is off for this one check only: with it off, loading a
    // library would load the 64-bit one.
    void* redirection = nullptr;
    const bool off = wow64 && Wow64DisableWow64FsRedirection(&redirection) != FALSE;
    const DWORD attributes = Attributes(ForFileCalls(opened));
    if (off) Wow64RevertWow64FsRedirection(redirection);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return TargetKind::Nothing;
    }
    return KindByName(opened);
}

TargetKind KindByName(const std::wstring& file)
{
    const std::wstring extension = Extension(file);
    if (extension == L".BAT" || extension == L".CMD") return TargetKind::BatchFile;
    if (extension == L".LNK" || extension == L".PIF") return TargetKind::Shortcut;
    return TargetKind::Program;
}
