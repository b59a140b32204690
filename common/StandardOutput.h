#pragma once

#include <string>

// Everything both programs print goes through here, with "\n" line ends.

// A text on its way to standard output, kept in the two forms it may leave
// in: UTF-16 for a console, which then reads right whatever its code page
// and the system's; CP932 bytes for a file or a pipe, the same bytes on
// every system. Each piece is added as what it is.
class OutputText {
public:
    OutputText() = default;
    // The programs' own texts: CP932 bytes, whatever the system's code page.
    explicit OutputText(const std::string& own) { Own(own); }

    OutputText& Own(const std::string& cp932);
    // A text that came as UTF-16: the user's, the system's messages.
    OutputText& Wide(const std::wstring& text);
    OutputText& Add(const OutputText& other);

    // CP932; a character that CP932 lacks is '?', never a look-alike.
    const std::string& Bytes() const { return bytes_; }
    const std::wstring& Text() const { return text_; }

private:
    std::string bytes_;
    std::wstring text_;
};

// "\n" becomes "\r\n", as the C runtime's text mode writes a line feed.
std::string WithCrLf(const std::string& text);
std::wstring WithCrLf(const std::wstring& text);

// Writes text, line ends made CR LF, to standard output in one piece: to a
// console as UTF-16, to a pipe, a file or NUL as its CP932 bytes. The
// console's code page and modes stay as the caller left them.
void WriteStandardOutput(const OutputText& text);
void WriteStandardOutput(const std::string& own);
