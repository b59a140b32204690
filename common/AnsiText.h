#pragma once

#include <cstddef>
#include <optional>
#include <string>

// Both programs work in UTF-16, as Windows does. A code page is met only
// where bytes are stored or piped: the index file's lines (the ANSI code
// page) and standard output on a pipe (CP932).

// The halves of a UTF-16 character beyond the 16-bit range.
bool IsHighSurrogate(wchar_t unit);
bool IsLowSurrogate(wchar_t unit);

// Whether a half stands without its other half.
bool HasUnpairedSurrogate(const std::wstring& text);

// The code page of the programs' own texts, whatever the system's: their
// messages are Japanese, compiled as CP932 bytes.
const unsigned kOwnCodePage = 932;

// Code page text (the ANSI code page's unless another is named) as UTF-16.
std::wstring ToWide(const std::string& text, unsigned codePage = 0 /* CP_ACP */);

// The very characters of text in a code page (the ANSI one unless another is
// named), or nothing when one of them has no form there. Windows' own
// conversion would put a look-alike in its place (¥ becomes the backslash,
// é becomes e): stored, that would name another folder.
std::optional<std::string> ToExactCodePage(const std::wstring& text, unsigned codePage = 0 /* CP_ACP */);
std::optional<std::string> ToExactAnsi(const std::wstring& text);

// text in codePage, each character without an exact form there as '?'.
std::string ToCodePageMarked(const std::wstring& text, unsigned codePage);

// Whether the character is a single byte in the ANSI code page: the rules
// that counted bytes (a drive letter, a name too short to be one) count so.
bool IsSingleAnsiByte(wchar_t unit);
