#pragma once

#include "PathText.h"

// The non-empty entries of the PATH variable, in order, as they stand; an
// entry with a character that the ANSI code page cannot hold is passed over.
// Throws std::runtime_error when PATH does not exist or cannot be read.
TextList PathDirectories();

// The folders that the entries name, for the search: a relative entry made
// absolute against the current directory as cmd.exe takes it (and passed
// over when that has no exact form), the others as they stand.
TextList PathSearchDirectories();

// The entries as they stand with a to z upper-cased, for the on-PATH test.
TextList GetUpperPathDirectories();
