#pragma once

#include <string>

// Appends one argument to a command line so that the started program's
// runtime splits it back into exactly that argument: wrapped in double quotes
// when it is empty or holds a space, tab, newline, vertical tab or quote;
// backslashes doubled only where they precede a quote or the closing quote.
// Appends in place so that a secret never sits in a temporary copy.
void AppendQuotedArgument(std::string& commandLine, const std::string& argument);
