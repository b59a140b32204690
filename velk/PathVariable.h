#pragma once

#include "PathText.h"
#include "RvWinException.h"

#include <optional>

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
