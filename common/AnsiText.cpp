#include "AnsiText.h"

#include <windows.h>

#include <cstring>

bool IsLeadByte(char byte)
{
    return IsDBCSLeadByte(static_cast<BYTE>(byte)) != FALSE;
}

std::size_t NextCharacter(const std::string& text, std::size_t index)
{
    if (IsLeadByte(text[index]) && index + 1 < text.size()) return index + 2;
    return index + 1;
}

std::size_t CharacterCount(const std::string& text)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); i = NextCharacter(text, i)) ++count;
    return count;
}

std::size_t FindLastCharacter(const std::string& text, const char* anyOf)
{
    std::size_t found = std::string::npos;
    for (std::size_t i = 0; i < text.size(); i = NextCharacter(text, i)) {
        if (text[i] != '\0' && std::strchr(anyOf, text[i]) != nullptr) found = i;
    }
    return found;
}

std::wstring ToWide(const std::string& text, unsigned codePage)
{
    if (text.empty()) return std::wstring();
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, &wide[0], length);
    return wide;
}

namespace {

// Best fit included: only for ToExactCodePage, which checks the result.
std::string ToCodePage(const std::wstring& text, unsigned codePage)
{
    if (text.empty()) return std::string();
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), size, &bytes[0], length, nullptr, nullptr);
    return bytes;
}

} // namespace

bool IsHighSurrogate(wchar_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(wchar_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

unsigned AnsiCodePage()
{
    return GetACP();
}

std::optional<std::string> ToExactCodePage(const std::wstring& text, unsigned codePage)
{
    // Converted back, a substitute gives another text; this test holds in
    // every code page, 65001 included, where the conversion has no best fit
    // to switch off.
    std::string bytes = ToCodePage(text, codePage);
    if (ToWide(bytes, codePage) != text) return std::nullopt;
    return bytes;
}

std::optional<std::string> ToExactAnsi(const std::wstring& text)
{
    return ToExactCodePage(text, CP_ACP);
}

std::string ToCodePageMarked(const std::wstring& text, unsigned codePage)
{
    if (std::optional<std::string> whole = ToExactCodePage(text, codePage)) return *whole;
    std::string bytes;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = IsHighSurrogate(text[i]) && i + 1 < text.size() ? 2 : 1;
        bytes += ToExactCodePage(text.substr(i, length), codePage).value_or("?");
        i += length;
    }
    return bytes;
}
