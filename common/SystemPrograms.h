#pragma once

#include <string>

// Windows' system folder, as Windows itself names it (GetSystemDirectoryW):
// never assumed to be C:\Windows\System32, since on a machine whose Windows
// lives elsewhere any signed-in user could make that folder and put a
// cmd.exe or net.exe of their own in it. Where it is C:\Windows\System32 in
// any letter case, it is spelled just so. Throws RvWinException when Windows
// cannot tell it.
const std::wstring& SystemFolder();

// The programs of that folder that velk and tamrel start.
const std::wstring& CommandProcessor(); // cmd.exe
const std::wstring& AccountTool();      // net.exe
