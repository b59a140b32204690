#pragma once

#include "EnvironmentVariable.h"
#include "Invocation.h"
#include "TargetRecord.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

// One run of velk, ready to launch: the invocation it was made from, and
// for a start the target's record, and the program and parameters that the
// shell is given for it: the target itself with the parameters its kind
// calls for, or for a batch file cmd.exe with a line that runs it.
struct ElevatedCommand {
    Invocation invocation;
    TargetRecord target;
    std::wstring program;
    std::wstring parameters;
};

// The command that an invocation makes: the target resolved first, then its
// arguments taken by the rules of what it resolved to. Throws RvWinException:
// with usage for a target too short to be a name and where the PATH is
// needed but not set; without it when the target is not found or refused,
// or an argument cannot be passed to it as data.
ElevatedCommand PrepareCommand(const Invocation& invocation, const std::wstring& currentFolder,
                               const PathEntries& path);

// The shell request that Launch hands over; it points into command.
SHELLEXECUTEINFOW LaunchRecord(const ElevatedCommand& command);

// Prints the short help, deletes the index, or records the target's index
// line, if it has one, and asks the shell to start the target elevated.
// Returns 0, or under "wait" the started program's exit code. Throws
// RvWinException when the start or the wait fails.
unsigned long Launch(const ElevatedCommand& command);
