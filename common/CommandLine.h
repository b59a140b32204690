#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Whether text holds nothing but Unicode white space (blanks, tabs, line
// ends, U+00A0, the full-width blank U+3000, ...), or nothing at all.
bool IsWhiteSpaceOnly(const std::wstring& text);

// Appends one argument so that the started program's runtime splits it back
// into exactly that argument: in quotes when it is empty or holds a quote or
// any Unicode white space. In place, so that a secret never sits in a copy.
void AppendQuotedArgument(std::wstring& commandLine, const std::wstring& argument);

// Whether cmd.exe, which reads a batch file's parameters as part of a
// command line, can be handed the argument as data: no ", % or line end.
// cmd.exe expands %NAME% inside quotes too, and a quote would end them.
bool BatchFileCanReceive(const std::wstring& argument);

// Whether a batch file's argument needs quotes to reach it as one parameter
// and as data: empty, or with a blank or one of & | < > ^ ( ) , ; = !.
bool BatchArgumentNeedsQuotes(const std::wstring& argument);

// Appends one argument of a batch file, in quotes where it needs them, so
// that a program that the batch file hands %* to gets exactly the argument.
// Only for arguments that BatchFileCanReceive.
void AppendBatchArgument(std::wstring& commandLine, const std::wstring& argument);

// The parameters of cmd.exe that run a batch file (a full path) in folder
// with parameters (AppendBatchArgument's), as one command that cmd.exe reads
// exactly as written: /d /e:on /v:off /s /c "pushd "FOLDER" && "FILE" PARAMETERS".
// Windows' own verb for a batch file, cmd.exe /C "%1" %*, would take the
// first and the last quote of that line away, and run an elevated cmd.exe in
// the system folder. Neither path may hold a % or a quote.
std::wstring BatchCommandLine(const std::wstring& folder, const std::wstring& batchFile,
                              const std::wstring& parameters);

// One word of a command line as the C runtime splits it into argv.
struct CommandLineWord {
    std::size_t begin;
    std::size_t end;
    std::wstring text;
};

// The words of a command line, the program's name first (up to the first
// blank, or between quotes), then each argument: quotes group blanks, 2n
// backslashes before a quote give n and the quote groups, 2n+1 give n and a
// quote, and two quotes inside quotes give one.
std::vector<CommandLineWord> SplitCommandLine(const std::wstring& line);
