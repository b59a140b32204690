#include "WindowsMessage.h"

#include "WinHandle.h"

namespace {

const char kErrorCodePrefix[] = "エラーコード : ";

// %1 as insert, %2 to %99 as nothing; a !format! after the number goes
// with it. Anything else after a % stays as it is.
std::wstring FillInserts(const std::wstring& text, const std::wstring& insert)
{
    std::wstring filled;
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::size_t end = i + 1; // past the insert's number
        while (text[i] == L'%' && end < text.size() && end < i + 3 && text[end] >= L'0' && text[end] <= L'9') ++end;
        const std::wstring number = text.substr(i + 1, end - i - 1);
        if (number.empty() || number[0] == L'0') {
            filled += text[i];
            continue;
        }
        if (end < text.size() && text[end] == L'!') {
            const std::size_t close = text.find(L'!', end + 1);
            if (close != std::wstring::npos) end = close + 1;
        }
        if (number == L"1") filled += insert;
        i = end - 1;
    }
    return filled;
}

} // namespace

OutputText ComposeErrorMessage(DWORD errorCode, const wchar_t* systemText, std::size_t length,
                               const std::wstring& insert)
{
    // The search starts three characters before the end, so the CR LF that
    // ends a system text goes while line breaks inside a multi-line text stay.
    std::size_t end = length < 3 ? 0 : length - 3;
    while (end < length && systemText[end] != L'\r' && systemText[end] != L'\n' && systemText[end] != L'\0') {
        ++end;
    }
    OutputText message(kErrorCodePrefix + std::to_string(static_cast<unsigned long>(errorCode)) + "　");
    return message.Wide(FillInserts(std::wstring(systemText, end), insert));
}

OutputText SystemMessage(DWORD errorCode, const std::wstring& insert, bool& found)
{
    wchar_t* buffer = nullptr;
    // IGNORE_INSERTS: texts with %1 and the like would otherwise fail the
    // call; they are filled above.
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, errorCode, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
        reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    found = length != 0;
    if (!found) {
        const std::string lookupError = std::to_string(GetLastError());
        return OutputText(std::string("エラーメッセージ取得時にエラーが発生しました。\n") + kErrorCodePrefix + lookupError);
    }
    LocalMemory owner(buffer);
    return ComposeErrorMessage(errorCode, buffer, length, insert);
}
