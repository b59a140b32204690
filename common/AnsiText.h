#pragma once

#include <cstddef>
#include <string>

// Texts are bytes in the active ANSI code page. In a double-byte code page
// such as 932 the trail byte of a character may be 0x5C, the backslash, so
// every search for a separator steps over whole characters.

// True when the byte starts a double-byte character of the active code page.
bool IsLeadByte(char byte);

// Index of the character after the one starting at index. A lead byte at the
// very end stands alone.
std::size_t NextCharacter(const std::string& text, std::size_t index);

// Index of the last character that is the single byte wanted, or npos.
std::size_t FindLastCharacter(const std::string& text, char wanted);

// Conversions between the active code page and UTF-16.
std::wstring ToWide(const std::string& text);
std::string ToAnsi(const std::wstring& text);
