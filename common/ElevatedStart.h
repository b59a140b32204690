#pragma once

#include "WinHandle.h"

#include <windows.h>
#include <shellapi.h>

#include <optional>

// The shell's start request for the "runas" verb, which has Windows ask the
// user for consent. Built apart from the start so that tests can look at it.
// parameters may be null (no parameters); directory never is. The console's
// window, when there is one, owns the request.
SHELLEXECUTEINFOW MakeElevatedLaunchRecord(const wchar_t* file, const wchar_t* parameters,
                                           const wchar_t* directory, int show);

// Hands the request to the shell. Throws RvWinException with the shell's
// error (a declined consent prompt included), its text naming the file;
// returns the started process, which may be no handle at all when the shell
// started nothing of its own.
Handle StartElevated(SHELLEXECUTEINFOW& record);

// Waits up to timeoutMs (INFINITE: for as long as it takes) for a process to
// end and gives its exit code, all 32 bits; nothing when the time ran out or
// the event interrupted (ConsoleInterrupt's) was set first. Throws
// RvWinException when the wait or the exit code fails.
std::optional<DWORD> AwaitExitCode(HANDLE process, DWORD timeoutMs, HANDLE interrupted);
