#include "StandardOutput.h"

#include "AnsiText.h"

#include <windows.h>

#include <algorithm>

std::string WithCrLf(const std::string& text)
{
    std::string result;
    result.reserve(text.size() + text.size() / 8);
    for (char byte : text) {
        if (byte == '\n') result += '\r';
        result += byte;
    }
    return result;
}

namespace {

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

void WriteStandardOutput(const std::string& text)
{
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    if (output == nullptr || output == INVALID_HANDLE_VALUE) return;
    const std::string bytes = WithCrLf(text);
    DWORD mode = 0;
    if (GetConsoleMode(output, &mode)) {
        WriteConsoleText(output, ToWide(bytes));
    } else {
        WriteBytes(output, bytes);
    }
}
