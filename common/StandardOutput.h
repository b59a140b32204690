#pragma once

#include <string>

// Everything both programs print goes through here. Texts are ANSI code page
// bytes with "\n" line ends.

// "\n" becomes "\r\n", as the C runtime's text mode writes a line feed.
std::string WithCrLf(const std::string& text);

// Writes text, line ends made CR LF, to standard output in one piece. A
// console is given the text as UTF-16, so it reads right whatever the
// console's code page; a pipe, a file or NUL gets the ANSI bytes unchanged.
void WriteStandardOutput(const std::string& text);
