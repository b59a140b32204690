#include "AnsiText.h"

#include <windows.h>

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

std::size_t FindLastCharacter(const std::string& text, char wanted)
{
    std::size_t found = std::string::npos;
    for (std::size_t i = 0; i < text.size(); i = NextCharacter(text, i)) {
        if (text[i] == wanted) found = i;
    }
    return found;
}

std::wstring ToWide(const std::string& text)
{
    if (text.empty()) return std::wstring();
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, &wide[0], length);
    return wide;
}

namespace {

// Best fit included: only for ToExactAnsi, which checks the result.
std::string ToAnsi(const std::wstring& text)
{
    if (text.empty()) return std::string();
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), size, &ansi[0], length, nullptr, nullptr);
    return ansi;
}

} // namespace

unsigned AnsiCodePage()
{
    return GetACP();
}

std::optional<std::string> ToExactAnsi(const std::wstring& text)
{
    // Converted back, a substitute gives another text; this test holds in
    // every code page, 65001 included, where the conversion has no best fit
    // to switch off.
    std::string ansi = ToAnsi(text);
    if (ToWide(ansi) != text) return std::nullopt;
    return ansi;
}
