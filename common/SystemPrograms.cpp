#include "SystemPrograms.h"

#include "RvWinException.h"

#include <windows.h>

std::wstring SystemFolder()
{
    // Windows lives in a folder that MAX_PATH holds.
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) throw RvWinException::FromLastError();
    const wchar_t usual[] = L"C:\\Windows\\System32";
    return lstrcmpiW(folder, usual) == 0 ? usual : std::wstring(folder, length);
}

std::wstring SystemProgram(const wchar_t* name)
{
    return SystemFolder() + L'\\' + name;
}
