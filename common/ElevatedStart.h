#pragma once

#include "WinHandle.h"

#include <windows.h>
#include <shellapi.h>

#include <optional>

// The shell's start request for the "runas" verb, which has Windows ask the
// user for consent, built apart so that tests can look at it. parameters may
// be null; directory never is.
SHELLEXECUTEINFOW MakeElevatedLaunchRecord(const wchar_t* file, const wchar_t* parameters,
                                           const wchar_t* directory, int show);

// Hands the request to the shell; returns the started process, or no handle
// when the shell started nothing of its own. Throws RvWinException with the
// shell's error (a declined consent prompt too), its text naming the file.
Handle StartElevated(SHELLEXECUTEINFOW& record);

// Waits up to timeoutMs for a process to end and gives its exit code, all 32
// bits; nothing when the time ran out or the event interrupted was set
// first. Throws RvWinException when the wait or the exit code fails.
std::optional<DWORD> AwaitExitCode(HANDLE process, DWORD timeoutMs, HANDLE interrupted);
