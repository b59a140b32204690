#include "SystemPrograms.h"

#include "RvWinException.h"

#include <windows.h>

std::wstring SystemFolderSpelling(const std::wstring& reported)
{
    const wchar_t usual[] = L"C:\\Windows\\System32";
    return lstrcmpiW(reported.c_str(), usual) == 0 ? usual : reported;
}

std::wstring SystemFolder()
{
    // Windows lives in a folder that MAX_PATH holds.
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) throw RvWinException::FromLastError();
    return SystemFolderSpelling(std::wstring(folder, length));
}

std::wstring SystemProgram(const wchar_t* name)
{
    return SystemFolder() + L'\\' + name;
}
