#include "WindowsPaths.h"

#include "GrowingBuffer.h"
#include "PathText.h"
#include "RvWinException.h"

#include <windows.h>

std::wstring ReadCurrentDirectory()
{
    std::optional<std::wstring> directory =
        ReadGrowing([](wchar_t* buffer, DWORD size) { return GetCurrentDirectoryW(size, buffer); });
    if (!directory) throw RvWinException::FromLastError();
    return *directory;
}

bool SearchesCurrentDirectoryFor(const std::wstring& target)
{
    // Windows looks for a backslash only; sub/tool.exe names the same file.
    return NeedCurrentDirectoryForExePathW(WithBackslashes(target).c_str()) != FALSE;
}

std::optional<std::wstring> FullPathName(const std::wstring& path)
{
    return ReadGrowing([&path](wchar_t* buffer, DWORD size) { return GetFullPathNameW(path.c_str(), size, buffer, nullptr); });
}

std::wstring OpenedFile(const std::wstring& path)
{
    // Windows does no parsing after \\?\ (and its GetFullPathName leaves
    // such a path alone, where Wine's folds . and .. and /): the file is the
    // one named, letter for letter, or none.
    if (ClassifyPath(path).form == PathForm::Literal) return path;
    return FullPathName(path).value_or(path);
}

std::optional<std::wstring> PlainFormOfLiteralPath(const std::wstring& opened)
{
    const std::wstring plain = WithoutLongPathPrefix(opened);
    if (plain == opened || plain.size() >= MAX_PATH) return std::nullopt;
    if (FullPathName(plain) != plain) return std::nullopt;
    return plain;
}
