#include "EnvironmentVariable.h"

#include "AnsiText.h"

#include <windows.h>

#include "RvWinException.h"

// The variables are read through the UTF-16 interface and converted exactly
// to the ANSI code page. The C runtime's getenv_s answers differently on
// Windows and Wine, and Wine's GetEnvironmentVariableA reports sizes in
// characters, not bytes, so a value with double-byte characters would come
// back cut short.

EnvironmentVariable::EnvironmentVariable(std::string name) : requiredSize(0), name(std::move(name))
{
    SetLastError(ERROR_SUCCESS);
    const DWORD size = GetEnvironmentVariableW(ToWide(this->name).c_str(), nullptr, 0);
    if (size == 0) {
        const DWORD error = GetLastError();
        if (error != ERROR_ENVVAR_NOT_FOUND) throw CodedError("System Access Failure", error);
        return;
    }
    requiredSize = size;
}

std::string EnvironmentVariable::Value() const
{
    const std::optional<std::string> exact = ToExactAnsi(WideValue());
    if (!exact) throw CodedError("環境変数に、コードページで表せない文字があります。", ERROR_NO_UNICODE_TRANSLATION);
    return *exact;
}

std::wstring EnvironmentVariable::WideValue() const
{
    if (requiredSize == 0) throw CodedError("環境変数が存在しません。", ERROR_ENVVAR_NOT_FOUND);
    const std::wstring wideName = ToWide(name);
    std::wstring value(requiredSize, L'\0');
    for (;;) {
        const DWORD size = GetEnvironmentVariableW(wideName.c_str(), &value[0], static_cast<DWORD>(value.size()));
        if (size < value.size()) break; // fitted: size is the length without the NUL
        value.assign(size, L'\0');      // grew since the size was taken
    }
    return value.substr(0, value.find(L'\0'));
}
