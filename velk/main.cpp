// velk: starts a program with administrator rights through the shell.
#include "CurrentDirectory.h"
#include "ElevatedCommand.h"
#include "RvWinException.h"
#include "Usage.h"

#include <exception>
#include <iostream>

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
        std::cout << error.message() << std::endl;
        return 1;
    } catch (const std::exception& error) {
        std::cout << error.what() << std::endl << std::endl << std::endl;
        PrintLongUsage(std::cout);
        return -1;
    }
}
