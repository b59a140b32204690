#include "RvWinException.h"

#include "WinHandle.h"

#include <new>

namespace {

const char kErrorCodePrefix[] = "エラーコード : ";

// The system's text for a code, in the user's language and as Unicode, so
// that it reads right whatever the system's code page; a thrown CodedError
// when there is none.
OutputText SystemMessage(DWORD errorCode)
{
    wchar_t* buffer = nullptr;
    // IGNORE_INSERTS: texts with %1 and the like would otherwise fail the call.
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, errorCode, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
        reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    if (length == 0) {
        throw CodedError(LookupFailureMessage(GetLastError()), errorCode);
    }
    LocalMemory owner(buffer);
    return ComposeErrorMessage(errorCode, buffer, length);
}

} // namespace

RvWinException::RvWinException() : RvWinException(GetLastError()) {}

RvWinException::RvWinException(DWORD errorCode) : text_(SystemMessage(errorCode)), code_(errorCode) {}

RvWinException::RvWinException(const char* text, DWORD errorCode) : text_(text), code_(errorCode) {}

OutputText ComposeErrorMessage(DWORD errorCode, const wchar_t* systemText, std::size_t length)
{
    // The search starts three characters before the end, so the CR LF that
    // ends a system text goes while line breaks inside a multi-line text stay.
    std::size_t end = length < 3 ? 0 : length - 3;
    while (end < length && systemText[end] != L'\r' && systemText[end] != L'\n' && systemText[end] != L'\0') {
        ++end;
    }
    OutputText message(kErrorCodePrefix + std::to_string(static_cast<unsigned long>(errorCode)) + "　");
    return message.Wide(std::wstring(systemText, end));
}

std::string LookupFailureMessage(DWORD lookupError)
{
    std::string message = "エラーメッセージ取得時にエラーが発生しました。\n";
    message += kErrorCodePrefix;
    message += std::to_string(static_cast<unsigned long>(lookupError));
    return message;
}

DWORD ErrorCodeOf(const std::exception& error)
{
    if (const auto* coded = dynamic_cast<const CodedError*>(&error)) return coded->code();
    if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr) return ERROR_NOT_ENOUGH_MEMORY;
    if (dynamic_cast<const std::out_of_range*>(&error) != nullptr) return ERROR_INVALID_PARAMETER;
    return 1;
}
