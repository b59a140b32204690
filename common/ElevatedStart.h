#pragma once

#include "WinHandle.h"

#include <windows.h>
#include <shellapi.h>

// The shell's start request for the "runas" verb, which has Windows ask the
// user for consent. Built apart from the start so that tests can look at it.
// parameters may be null (no parameters); directory never is.
SHELLEXECUTEINFOA MakeElevatedLaunchRecord(const char* file, const char* parameters,
                                           const char* directory, int show);

// Hands the request to the shell. Throws RvWinException with the shell's
// error (a declined consent prompt included); returns the started process,
// which may be no handle at all when the shell started nothing of its own.
Handle StartElevated(SHELLEXECUTEINFOA& record);
