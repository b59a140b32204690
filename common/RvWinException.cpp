#include "RvWinException.h"

#include "WinHandle.h"

#include <stdexcept>

namespace {

const char kErrorCodePrefix[] = "エラーコード : ";

// The system's text for a code, without the trailing line break, or a thrown
// std::runtime_error when there is none.
std::string SystemMessage(DWORD errorCode)
{
    char* buffer = nullptr;
    // IGNORE_INSERTS: texts with %1 and the like would otherwise fail the call.
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, errorCode, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
        reinterpret_cast<char*>(&buffer), 0, nullptr);
    if (length == 0) {
        throw std::runtime_error(LookupFailureMessage(GetLastError()));
    }
    LocalMemory owner(buffer);
    return ComposeErrorMessage(errorCode, buffer, length);
}

} // namespace

RvWinException::RvWinException() : RvWinException(GetLastError()) {}

RvWinException::RvWinException(DWORD errorCode) : text_(SystemMessage(errorCode)) {}

RvWinException::RvWinException(const char* text) : text_(text) {}

std::string ComposeErrorMessage(DWORD errorCode, const char* systemText, std::size_t length)
{
    // The search starts three bytes before the end, so the CR LF that ends a
    // system text goes while line breaks inside a multi-line text stay.
    std::size_t end = length < 3 ? 0 : length - 3;
    while (end < length && systemText[end] != '\r' && systemText[end] != '\n' && systemText[end] != '\0') {
        ++end;
    }
    std::string message = kErrorCodePrefix;
    message += std::to_string(static_cast<unsigned long>(errorCode));
    message += "　";
    message.append(systemText, end);
    return message;
}

std::string LookupFailureMessage(DWORD lookupError)
{
    std::string message = "エラーメッセージ取得時にエラーが発生しました。\n";
    message += kErrorCodePrefix;
    message += std::to_string(static_cast<unsigned long>(lookupError));
    return message;
}
