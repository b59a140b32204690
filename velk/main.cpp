// velk: starts a program with administrator rights through the shell.
#include "ElevatedCommand.h"
#include "EnvironmentVariable.h"
#include "Invocation.h"
#include "LibrarySearch.h"
#include "RvWinException.h"
#include "StandardOutput.h"
#include "Usage.h"
#include "WindowsPaths.h"

#include <windows.h>

#include <exception>

namespace {

// Prints a failure, the long usage below it where it calls for one, and
// gives the exit code: under "wait" the failure's Windows error code, so a
// script reads from the one number what happened, never 0; else 1 or -1.
int Report(const RvWinException& failure, bool waits)
{
    OutputText text(failure.text());
    text.Own(failure.withUsage() ? "\n\n\n" + LongUsage() : "\n");
    WriteStandardOutput(text);
    if (!waits) return failure.exitStatus();
    return failure.code() == 0 ? 1 : static_cast<int>(failure.code());
}

} // namespace

// A pipeline: the command line parsed once, the target resolved once (from
// the current folder and the PATH, read here), then the launch. UTF-16 from
// the command line to the shell: any name that Windows holds is started with
// its very characters, whatever the system's code page.
int wmain()
{
    RestrictLibrarySearch();
    const Invocation invocation = ParseInvocation(GetCommandLineW());
    try {
        const std::wstring currentFolder = ReadCurrentDirectory();
        const PathEntries path = invocation.request == Request::Start ? ReadPathEntries() : PathEntries();
        const ElevatedCommand command = PrepareCommand(invocation, currentFolder, path);
        // All 32 bits of a waited-for program's exit code reach ExitProcess.
        return static_cast<int>(Launch(command));
    } catch (const RvWinException& failure) {
        return Report(failure, invocation.waits);
    } catch (const std::exception& error) {
        return Report(RvWinException::FromStandard(error), invocation.waits);
    }
}
