#include "CurrentDirectory.h"

#include "AnsiText.h"
#include "PathText.h"
#include "RvWinException.h"

#include <windows.h>

std::string ReadCurrentDirectory()
{
    std::wstring directory(MAX_PATH, L'\0');
    for (;;) {
        const DWORD result = GetCurrentDirectoryW(static_cast<DWORD>(directory.size()), &directory[0]);
        if (result == 0) throw RvWinException();
        if (result < directory.size()) break;
        directory.assign(result, L'\0'); // too small: result is the size it needs
    }
    return ToExactAnsi(directory.substr(0, directory.find(L'\0'))).value_or(std::string());
}

bool SearchesCurrentDirectoryFor(const std::string& target)
{
    // Windows looks for a backslash only; sub/tool.exe names the same file.
    return NeedCurrentDirectoryForExePathA(WithBackslashes(target).c_str()) != FALSE;
}

std::optional<std::string> FullPathName(const std::string& path)
{
    const std::wstring wide = ToWide(path);
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD result = GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), &full[0], nullptr);
        if (result == 0) return std::nullopt;
        if (result < full.size()) return ToExactAnsi(full.substr(0, result));
        full.assign(result, L'\0'); // too small: result is the size it needs
    }
}

std::string PlainFolder(const std::string& path)
{
    const std::string plain = WithoutLongPathPrefix(path);
    return DrivePathDirectory(FullPathName(plain).value_or(plain));
}
