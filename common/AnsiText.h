#pragma once

#include <cstddef>
#include <optional>
#include <string>

// Texts are bytes in the active ANSI code page. In a double-byte code page
// such as 932 the trail byte of a character may be 0x5C, the backslash, so
// every search for a separator steps over whole characters.

// True when the byte starts a double-byte character of the active code page.
bool IsLeadByte(char byte);

// Index of the character after the one starting at index. A lead byte at the
// very end stands alone.
std::size_t NextCharacter(const std::string& text, std::size_t index);

// How many characters text holds: a double-byte character counts once.
std::size_t CharacterCount(const std::string& text);

// Index of the last character that is one of the single bytes of anyOf, or
// npos.
std::size_t FindLastCharacter(const std::string& text, const char* anyOf);

// The halves of a UTF-16 character beyond the 16-bit range.
bool IsHighSurrogate(wchar_t unit);
bool IsLowSurrogate(wchar_t unit);

// The active ANSI code page's number (932 on the systems the programs are
// made for).
unsigned AnsiCodePage();

// The code page of the programs' own texts, whatever the system's: their
// messages are Japanese, compiled as CP932 bytes.
const unsigned kOwnCodePage = 932;

// Code page text (the ANSI code page's unless another is named) as UTF-16.
std::wstring ToWide(const std::string& text, unsigned codePage = 0 /* CP_ACP */);

// The very characters of text in the active code page, or nothing when one of
// them has no form there. Windows' own conversion would put a look-alike in
// its place (¥ becomes the backslash, é becomes e), and a program that acted
// on that would name another file, account or option than the one given.
std::optional<std::string> ToExactAnsi(const std::wstring& text);

// The same test in any code page.
std::optional<std::string> ToExactCodePage(const std::wstring& text, unsigned codePage);

// text in codePage, where every character without an exact form there
// becomes '?', never a look-alike.
std::string ToCodePageMarked(const std::wstring& text, unsigned codePage);
