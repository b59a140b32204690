#pragma once

#include <windows.h>

#include <optional>
#include <string>

// The text of a Windows call that fills a UTF-16 buffer and returns the
// length it wrote when the buffer was large enough, the size it needs (its
// NUL included) when not, and 0 when it fails, as GetCurrentDirectoryW,
// GetFullPathNameW and GetEnvironmentVariableW do: the buffer grows as often
// as the text does meanwhile. Nothing when the call returns 0.
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
