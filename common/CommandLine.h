#pragma once

#include <string>

// Appends one argument to a command line so that the started program's
// runtime splits it back into exactly that argument: wrapped in double quotes
// when it is empty or holds a space, tab, newline, vertical tab or quote;
// backslashes doubled only where they precede a quote or the closing quote.
// Appends in place so that a secret never sits in a temporary copy.
void AppendQuotedArgument(std::string& commandLine, const std::string& argument);

// True when cmd.exe, which reads a batch file's parameters as part of a
// command line of its own, can be handed the argument as data: it holds no
// double quote, no percent sign and no line end. cmd.exe expands %NAME%
// inside quotes too, and a quote of the argument's own would end them.
bool BatchFileCanReceive(const std::string& argument);

// Appends one argument of a batch file: wrapped in double quotes when it is
// empty or holds a space, a tab or one of & | < > ^ ( ) , ; = !, so that
// cmd.exe takes it as one parameter and as data, and a program that the batch
// file hands %* to gets exactly the argument. Only for arguments that
// BatchFileCanReceive.
void AppendBatchArgument(std::string& commandLine, const std::string& argument);
