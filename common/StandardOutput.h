#pragma once

#include <string>

// A text on its way to standard output ("\n" line ends), kept in the two
// forms it may leave in: UTF-16 for a console, which then reads right
// whatever its code page and the system's; CP932 bytes for a file or a
// pipe, the same bytes on every system.
class OutputText {
public:
    OutputText() = default;
    // The programs' own texts: CP932 bytes, whatever the system's code page.
    explicit OutputText(const std::string& own) { Own(own); }

    OutputText& Own(const std::string& cp932);
    // A text that came as UTF-16: the user's, the system's messages.
    OutputText& Wide(const std::wstring& text);
    OutputText& Add(const OutputText& other);

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
// console as UTF-16, else as its CP932 bytes.
void WriteStandardOutput(const OutputText& text);
inline void WriteStandardOutput(const std::string& own) { WriteStandardOutput(OutputText(own)); }
