#pragma once

#include "PathText.h"

// The non-empty entries of the PATH variable, in order, as they stand.
// Throws RvWinException (with usage) when PATH does not exist or cannot be read.
PathList PathDirectories();

// The folders that the entries name, for the search: a relative entry made
// absolute against the current directory as cmd.exe takes it, the others as
// they stand.
PathList PathSearchDirectories();

// The entries as they stand with a to z upper-cased, for the on-PATH test.
PathList GetUpperPathDirectories();
