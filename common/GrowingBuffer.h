#pragma once

#include <windows.h>

#include <optional>
#include <string>

// The text of a Windows call that fills a UTF-16 buffer and returns the
// length it wrote, the size it needs (NUL included) when the buffer is too
// small, or 0 when it fails (GetFullPathNameW and the like): the buffer grows
// as often as the text does meanwhile. Nothing when the call returns 0.
template <typename Fill>
std::optional<std::wstring> ReadGrowing(Fill fill)
{
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD result = fill(&buffer[0], static_cast<DWORD>(buffer.size()));
        if (result == 0) return std::nullopt;
        if (result < buffer.size()) return buffer.substr(0, result);
        buffer.assign(result, L'\0');
    }
}
