#pragma once

#include <optional>
#include <string>

// The process's current directory, however long. Throws RvWinException when
// the system cannot tell it.
std::wstring ReadCurrentDirectory();

// Whether a program named target is looked for in the current directory.
// Not when Windows is told not to (NoDefaultCurrentDirectoryInExePath) and
// the name holds no separator, as cmd.exe and CreateProcess decide it (a
// slash counting as the backslash it is read as).
bool SearchesCurrentDirectoryFor(const std::wstring& target);

// path made absolute by Windows' own rules (bin and .\bin below the current
// directory, \bin at the root of its drive, C:bin in drive C's current
// folder); nothing when Windows cannot.
std::optional<std::wstring> FullPathName(const std::wstring& path);

// The file that Windows opens for path, in its full form: . and ..,
// separators and the trailing dots and spaces of names as GetFullPathName
// reads them (C:\t\run.bat\. is C:\t\run.bat, //?/C:/t/x is \\?\C:\t\x, a
// device in any folder is \\.\NAME);
// a path that begins with \\?\ exactly as written. Every rule that asks
// what a file is (a batch file, a device, its folder, its index line) asks
// this.
std::wstring OpenedFile(const std::wstring& path);

// A \\?\ path (OpenedFile's form) in the plain form that names the same
// file, for a program that cannot take the prefix (cmd.exe): \\?\C:\x as
// C:\x, \\?\UNC\server\share\x as \\server\share\x. Only where that form
// is shorter than MAX_PATH units (its NUL counts) and Windows reads it back unchanged (no . or ..,
// no /, no trailing dot or space in it); nothing otherwise.
std::optional<std::wstring> PlainFormOfLiteralPath(const std::wstring& opened);
