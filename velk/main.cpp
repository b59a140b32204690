// velk: starts a program with administrator rights through the shell.
#include "CurrentDirectory.h"
#include "ElevatedCommand.h"
#include "LibrarySearch.h"
#include "RvWinException.h"
#include "StandardOutput.h"
#include "Usage.h"

#include <windows.h>

#include <exception>

// UTF-16 from the command line to the shell: any name that Windows holds is
// started with its very characters, whatever the system's code page.
int wmain()
{
    RestrictLibrarySearch();
    const std::wstring commandLine = GetCommandLineW();
    // Under "wait", a script reads velk's own failures from the exit code
    // too: each ends with the Windows error code that says what it was.
    // Without it, 1 and -1 as ever.
    const bool waits = SaysWait(commandLine);
    try {
        PathContext context;
        context.baseDirectory = ReadCurrentDirectory();
        context.currentDirectory = context.baseDirectory;
        const ElevatedCommand command(commandLine, context);
        // All 32 bits of a waited-for program's exit code reach ExitProcess.
        return static_cast<int>(command.Launch());
    } catch (const RvWinException& error) {
        WriteStandardOutput(OutputText(error.text()).Own("\n"));
        return waits ? static_cast<int>(error.code()) : 1;
    } catch (const std::exception& error) {
        WriteStandardOutput(error.what() + std::string("\n\n\n") + LongUsage());
        return waits ? static_cast<int>(ErrorCodeOf(error)) : -1;
    }
}
