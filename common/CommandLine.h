#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Appends one argument to a command line so that the started program's
// runtime splits it back into exactly that argument: wrapped in double quotes
// when it is empty or holds a space, tab, newline, vertical tab or quote;
// backslashes doubled only where they precede a quote or the closing quote.
// Appends in place so that a secret never sits in a temporary copy.
void AppendQuotedArgument(std::wstring& commandLine, const std::wstring& argument);

// True when cmd.exe, which reads a batch file's parameters as part of a
// command line of its own, can be handed the argument as data: it holds no
// double quote, no percent sign and no line end. cmd.exe expands %NAME%
// inside quotes too, and a quote of the argument's own would end them.
bool BatchFileCanReceive(const std::wstring& argument);

// Appends one argument of a batch file: wrapped in double quotes when it is
// empty or holds a space, a tab or one of & | < > ^ ( ) , ; = !, so that
// cmd.exe takes it as one parameter and as data, and a program that the batch
// file hands %* to gets exactly the argument. Only for arguments that
// BatchFileCanReceive.
void AppendBatchArgument(std::wstring& commandLine, const std::wstring& argument);

// One word of a command line as the C runtime splits it into argv: where it
// starts and ends in the line, and the argument it gives.
struct CommandLineWord {
    std::size_t begin;
    std::size_t end;
    std::wstring text;
};

// The words of a command line, the program's name first (up to the first
// space or tab, or between quotes when it starts with one), then each
// argument: quotes anywhere in a word group its spaces, 2n backslashes
// before a quote give n and the quote groups, 2n+1 give n and a quote, and
// two quotes inside quotes give one.
std::vector<CommandLineWord> SplitCommandLine(const std::wstring& line);
