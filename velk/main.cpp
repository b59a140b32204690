// velk: starts a program with administrator rights through the shell.
#include "CurrentDirectory.h"
#include "ElevatedCommand.h"
#include "LibrarySearch.h"
#include "RvWinException.h"
#include "StandardOutput.h"
#include "Usage.h"

#include <windows.h>

#include <exception>

namespace {

// Prints a failure, the long usage below it where it calls for one, and
// gives the exit code: under "wait" the failure's Windows error code, so a
// script reads from the one number what happened; else 1 or -1 as ever.
int Report(const RvWinException& failure, bool waits)
{
    OutputText text(failure.text());
    text.Own(failure.withUsage() ? "\n\n\n" + LongUsage() : "\n");
    WriteStandardOutput(text);
    return waits ? static_cast<int>(failure.code()) : failure.exitStatus();
}

} // namespace

// UTF-16 from the command line to the shell: any name that Windows holds is
// started with its very characters, whatever the system's code page.
int wmain()
{
    RestrictLibrarySearch();
    const std::wstring commandLine = GetCommandLineW();
    const bool waits = SaysWait(commandLine);
    try {
        PathContext context;
        context.baseDirectory = ReadCurrentDirectory();
        context.currentDirectory = context.baseDirectory;
        const ElevatedCommand command(commandLine, context);
        // All 32 bits of a waited-for program's exit code reach ExitProcess.
        return static_cast<int>(command.Launch());
    } catch (const RvWinException& failure) {
        return Report(failure, waits);
    } catch (const std::exception& error) {
        return Report(RvWinException::FromStandard(error), waits);
    }
}
