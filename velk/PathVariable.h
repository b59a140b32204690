#pragma once

#include "PathText.h"

// The non-empty entries of the PATH variable, in order, as they stand; an
// entry with a character that the ANSI code page cannot hold is passed over.
// Throws std::runtime_error when PATH does not exist or cannot be read.
TextList PathDirectories();

// The same entries with a to z upper-cased, for the on-PATH test.
TextList GetUpperPathDirectories();
