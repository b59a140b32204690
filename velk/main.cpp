// velk: starts a program with administrator rights through the shell.
#include "CurrentDirectory.h"
#include "ElevatedCommand.h"
#include "RvWinException.h"
#include "StandardOutput.h"
#include "Usage.h"

#include <exception>

int main(int argc, char** argv)
{
    try {
        PathContext context;
        context.baseDirectory = ReadCurrentDirectory();
        context.currentDirectory = context.baseDirectory;
        ElevatedCommand command(argc, argv, context);
        command.Launch();
        return 0;
    } catch (const RvWinException& error) {
        WriteStandardOutput(error.message() + "\n");
        return 1;
    } catch (const std::exception& error) {
        WriteStandardOutput(error.what() + std::string("\n\n\n") + LongUsage());
        return -1;
    }
}
