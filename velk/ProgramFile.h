#pragma once

#include <string>

// True when a file exists at path, however long the path is. A folder is
// never a program: the shell would open it in Explorer, and a folder named
// tool.exe in one PATH entry must not hide the tool.exe of a later one. A
// 32-bit program on 64-bit Windows is shown SysWOW64 wherever it names
// System32; this looks at the folders themselves, as the program that the
// consent prompt starts does. A device (NUL, CON, PRN, AUX, COM1-9 and
// LPT1-9 in any folder, which GetFullPathName makes \\.\NAME) is never a
// program either.
bool IsProgramFile(const std::wstring& path);
