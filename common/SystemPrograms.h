#pragma once

#include <string>

// Windows' system folder, as Windows itself names it (GetSystemDirectoryW):
// never assumed to be C:\Windows\System32, since on a machine whose Windows
// lives elsewhere any signed-in user could make that folder and put a
// cmd.exe or net.exe of their own in it. Where it is C:\Windows\System32 in
// any letter case, it is spelled just so. Throws RvWinException when Windows
// cannot tell it.
std::wstring SystemFolder();

// A program of that folder (cmd.exe, net.exe).
std::wstring SystemProgram(const wchar_t* name);
