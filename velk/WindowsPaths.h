#pragma once

#include <optional>
#include <string>

// The process's current directory. Throws RvWinException when the system
// cannot tell it.
std::wstring ReadCurrentDirectory();

// Whether a program named target is looked for in the current directory:
// not when Windows is told not to (NoDefaultCurrentDirectoryInExePath) and
// the name holds no separator, as cmd.exe and CreateProcess decide it.
bool SearchesCurrentDirectoryFor(const std::wstring& target);

// path made absolute by Windows' own rules (GetFullPathName); nothing when
// Windows cannot.
std::optional<std::wstring> FullPathName(const std::wstring& path);

// The file that Windows opens for path, in its full form: . and ..,
// separators and the trailing dots and spaces of names as GetFullPathName
// reads them (C:\t\run.bat\. is C:\t\run.bat, //?/C:/t/x is \\?\C:\t\x, a
// device in any folder is \\.\NAME); a Literal path exactly as written.
// Every rule that asks what a file is asks this.
std::wstring OpenedFile(const std::wstring& path);

// A \\?\ path (OpenedFile's form) in the plain form that names the same
// file (WithoutLongPathPrefix), for cmd.exe, which cannot take the prefix:
// only where that form is shorter than MAX_PATH units (its NUL counts) and
// Windows reads it back unchanged (no . or .., no /, no trailing dot or
// space in it); nothing otherwise.
std::optional<std::wstring> PlainFormOfLiteralPath(const std::wstring& opened);
