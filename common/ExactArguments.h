#pragma once

#include <string>
#include <vector>

// The C runtime's argv comes from the ANSI command line, where Windows has put
// a look-alike for every character that the code page cannot hold: "a¥"
// arrives as a backslash, a soft hyphen before "delete-all" as the option
// "-delete-all". The program's own path does not count: wherever the program
// is kept, it only ever acts on its arguments.

// True when argv[1] onwards are the very arguments that the user gave.
bool ArgumentsAreExact(int argc, char** argv);

// The test itself, over the UTF-16 arguments as CommandLineToArgvW splits the
// command line (the program's own name first): each after the name has an
// exact form in the code page, and argv holds that form.
bool ArgumentsMatch(const std::vector<std::wstring>& given, int argc, char** argv);
