#include "AnsiText.h"

#include <windows.h>

bool IsHighSurrogate(wchar_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(wchar_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

bool HasUnpairedSurrogate(const std::wstring& text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsHighSurrogate(text[i])) {
            if (i + 1 == text.size() || !IsLowSurrogate(text[i + 1])) return true;
            ++i;
        } else if (IsLowSurrogate(text[i])) {
            return true;
        }
    }
    return false;
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

std::optional<std::string> ToExactCodePage(const std::wstring& text, unsigned codePage)
{
    if (text.empty()) return std::string();
    const unsigned actual = codePage == CP_ACP ? GetACP() : codePage;
    // UTF-8 and UTF-7 take neither the flag nor the question.
    const bool unicode = actual == CP_UTF8 || actual == CP_UTF7;
    const DWORD flags = unicode ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* askDefault = unicode ? nullptr : &usedDefault;
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(actual, flags, text.data(), size, nullptr, 0, nullptr, askDefault);
    if (length == 0 || usedDefault) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(actual, flags, text.data(), size, &bytes[0], length, nullptr, askDefault);
    // The default character alone misses a best fit that slipped through;
    // converted back, any substitute gives another text.
    if (usedDefault || ToWide(bytes, actual) != text) return std::nullopt;
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
        // A pair converts whole; half of one is marked alone, and what
        // follows it is a character of its own.
        const bool pair = IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]);
        const std::size_t length = pair ? 2 : 1;
        bytes += ToExactCodePage(text.substr(i, length), codePage).value_or("?");
        i += length;
    }
    return bytes;
}

bool IsSingleAnsiByte(wchar_t unit)
{
    const std::optional<std::string> exact = ToExactAnsi(std::wstring(1, unit));
    return exact && exact->size() == 1;
}
