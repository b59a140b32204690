#pragma once

#include <optional>
#include <string>

// The process's current directory, however long, in the ANSI code page; empty
// when it has a character without an exact form there, since a look-alike
// would name another folder. Throws RvWinException when the system cannot
// tell it.
std::string ReadCurrentDirectory();

// Whether a program named target is looked for in the current directory.
// Not when Windows is told not to (NoDefaultCurrentDirectoryInExePath) and
// the name holds no separator, as cmd.exe and CreateProcess decide it (a
// slash counting as the backslash it is read as).
bool SearchesCurrentDirectoryFor(const std::string& target);

// path made absolute by Windows' own rules (bin and .\bin below the current
// directory, \bin at the root of its drive, C:bin in drive C's current
// folder), or nothing when the result has no exact form in the ANSI code page.
std::optional<std::string> FullPathName(const std::string& path);

// The folder that holds the file at an absolute path, in its plain full form,
// one spelling for each folder: separators as backslashes, . and .. resolved,
// \\?\C:\... as C:\... and \\?\UNC\server\share\... as \\server\share\...,
// the letter case as given; C: for a file in a drive's root.
std::string PlainFolder(const std::string& path);
