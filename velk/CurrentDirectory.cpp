#include "CurrentDirectory.h"

#include "PathText.h"
#include "RvWinException.h"

#include <windows.h>

std::wstring ReadCurrentDirectory()
{
    std::wstring directory(MAX_PATH, L'\0');
    for (;;) {
        const DWORD result = GetCurrentDirectoryW(static_cast<DWORD>(directory.size()), &directory[0]);
        if (result == 0) throw RvWinException();
        if (result < directory.size()) return directory.substr(0, result);
        directory.assign(result, L'\0'); // too small: result is the size it needs
    }
}

bool SearchesCurrentDirectoryFor(const std::wstring& target)
{
    // Windows looks for a backslash only; sub/tool.exe names the same file.
    return NeedCurrentDirectoryForExePathW(WithBackslashes(target).c_str()) != FALSE;
}

std::optional<std::wstring> FullPathName(const std::wstring& path)
{
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD result = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), &full[0], nullptr);
        if (result == 0) return std::nullopt;
        if (result < full.size()) return full.substr(0, result);
        full.assign(result, L'\0'); // too small: result is the size it needs
    }
}

std::wstring OpenedFile(const std::wstring& path)
{
    // Windows does no parsing after \\?\ (and its GetFullPathName leaves
    // such a path alone, where Wine's folds . and .. and /): the file is the
    // one named, letter for letter, or none.
    if (HasLiteralPrefix(path)) return path;
    return FullPathName(path).value_or(path);
}

std::optional<std::wstring> PlainFormOfLiteralPath(const std::wstring& opened)
{
    const std::wstring plain = WithoutLongPathPrefix(opened);
    if (plain == opened || plain.size() > MAX_PATH) return std::nullopt;
    if (FullPathName(plain) != plain) return std::nullopt;
    return plain;
}
