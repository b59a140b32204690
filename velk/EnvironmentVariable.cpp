#include "EnvironmentVariable.h"

#include "GrowingBuffer.h"
#include "RvWinException.h"

#include <windows.h>

// The variables are read through the UTF-16 interface, which answers alike
// on Windows and Wine; the C runtime's getenv_s does not.

EnvironmentVariable::EnvironmentVariable(std::wstring variable) : requiredSize(0), name(std::move(variable))
{
    SetLastError(ERROR_SUCCESS);
    const DWORD size = GetEnvironmentVariableW(name.c_str(), nullptr, 0);
    if (size == 0) {
        const DWORD error = GetLastError();
        if (error != ERROR_ENVVAR_NOT_FOUND) throw RvWinException::WithUsage("System Access Failure", error);
        return;
    }
    requiredSize = size;
}

std::wstring EnvironmentVariable::Value() const
{
    if (requiredSize == 0) throw RvWinException::WithUsage("環境変数が存在しません。", ERROR_ENVVAR_NOT_FOUND);
    // An empty value reads as 0, as a failure does: either is no text.
    return ReadGrowing([this](wchar_t* buffer, DWORD size) { return GetEnvironmentVariableW(name.c_str(), buffer, size); })
        .value_or(std::wstring());
}

bool ChangesWhenExpanded(const std::wstring& text)
{
    // Not ReadGrowing: ExpandEnvironmentStrings counts the NUL also when the
    // text fits, and an empty text expands to an empty one, not a failure.
    std::wstring expanded(text.size() + 1, L'\0');
    for (;;) {
        const DWORD size = ExpandEnvironmentStringsW(text.c_str(), &expanded[0], static_cast<DWORD>(expanded.size()));
        if (size == 0) return true;
        if (size <= expanded.size()) return expanded.compare(0, size - 1, text) != 0;
        expanded.assign(size, L'\0'); // too small: size is what it needs, NUL included
    }
}

PathEntries ReadPathEntries()
{
    PathEntries path;
    try {
        path.entries = SplitText(EnvironmentVariable(L"PATH").Value(), L';');
    } catch (const RvWinException& failure) {
        path.failure = failure;
    }
    return path;
}
