#include "StandardOutput.h"

#include "AnsiText.h"

#include <windows.h>

#include <algorithm>

OutputText& OutputText::Own(const std::string& cp932)
{
    bytes_ += cp932;
    text_ += ToWide(cp932, kOwnCodePage);
    return *this;
}

OutputText& OutputText::Wide(const std::wstring& text)
{
    bytes_ += ToCodePageMarked(text, kOwnCodePage);
    text_ += text;
    return *this;
}

OutputText& OutputText::Add(const OutputText& other)
{
    bytes_ += other.bytes_;
    text_ += other.text_;
    return *this;
}

namespace {

template <typename Text>
Text WithCrLfIn(const Text& text)
{
    using Unit = typename Text::value_type;
    Text result;
    result.reserve(text.size() + text.size() / 8);
    for (const Unit unit : text) {
        if (unit == Unit('\n')) result += Unit('\r');
        result += unit;
    }
    return result;
}

// A console decodes WriteFile bytes with its own code page, and split across
// writes a double-byte character cannot be decoded at all: hand it UTF-16.
void WriteConsoleText(HANDLE console, const std::wstring& text)
{
    const DWORD kChunk = 8192;
    for (std::size_t done = 0; done < text.size();) {
        const DWORD count = static_cast<DWORD>(std::min<std::size_t>(kChunk, text.size() - done));
        DWORD written = 0;
        if (!WriteConsoleW(console, text.data() + done, count, &written, nullptr) || written == 0) return;
        done += written;
    }
}

void WriteBytes(HANDLE output, const std::string& bytes)
{
    for (std::size_t done = 0; done < bytes.size();) {
        DWORD written = 0;
        if (!WriteFile(output, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &written, nullptr) ||
            written == 0) {
            return; // nowhere to write to: nothing more can be said
        }
        done += written;
    }
}

} // namespace

std::string WithCrLf(const std::string& text)
{
    return WithCrLfIn(text);
}

std::wstring WithCrLf(const std::wstring& text)
{
    return WithCrLfIn(text);
}

void WriteStandardOutput(const OutputText& text)
{
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    if (output == nullptr || output == INVALID_HANDLE_VALUE) return;
    DWORD mode = 0;
    if (GetConsoleMode(output, &mode)) {
        WriteConsoleText(output, WithCrLf(text.Text()));
    } else {
        WriteBytes(output, WithCrLf(text.Bytes()));
    }
}
