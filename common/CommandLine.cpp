#include "CommandLine.h"

#include "AnsiText.h"

#include <cstddef>

void AppendQuotedArgument(std::string& commandLine, const std::string& argument)
{
    if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string::npos) {
        commandLine += argument;
        return;
    }
    commandLine += '"';
    std::size_t backslashes = 0;
    for (std::size_t i = 0; i < argument.size();) {
        const std::size_t next = NextCharacter(argument, i);
        if (next - i == 2) {
            // A double-byte character: its trail byte is no backslash.
            commandLine.append(backslashes, '\\');
            commandLine.append(argument, i, 2);
            backslashes = 0;
        } else if (argument[i] == '\\') {
            ++backslashes;
        } else if (argument[i] == '"') {
            commandLine.append(backslashes * 2 + 1, '\\');
            commandLine += '"';
            backslashes = 0;
        } else {
            commandLine.append(backslashes, '\\');
            commandLine += argument[i];
            backslashes = 0;
        }
        i = next;
    }
    commandLine.append(backslashes * 2, '\\');
    commandLine += '"';
}
