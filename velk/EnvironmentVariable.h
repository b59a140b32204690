#pragma once

#include "PathText.h"
#include "RvWinException.h"

#include <cstddef>
#include <optional>
#include <string>

// One read of one environment variable of the process. The size is taken when
// the object is built; Value reads the text.
class EnvironmentVariable {
public:
    // Throws "System Access Failure", with usage, when the lookup fails.
    explicit EnvironmentVariable(std::wstring variable);

    // Throws "環境変数が存在しません。", with usage, when there is none.
    std::wstring Value() const;

private:
    std::size_t requiredSize; // UTF-16 units of the value with its NUL; 0 when absent
    std::wstring name;
};

// Whether expanding %NAME% in text against this process's environment
// (ExpandEnvironmentStrings) would change it, or the expansion fails.
bool ChangesWhenExpanded(const std::wstring& text);

// The PATH as velk read it, once: its non-empty entries in order, as they
// stand, or the failure that reading it gave (not set, or the lookup
// failed), which counts only where an entry is needed.
struct PathEntries {
    PathList entries;
    std::optional<RvWinException> failure;

    // The entries; throws the failure (with usage) when there are none to give.
    const PathList& Get() const
    {
        if (failure) throw *failure;
        return entries;
    }
};

// Reads the process's PATH.
PathEntries ReadPathEntries();
