#include "LocalAccount.h"

#include "WinHandle.h"

#include <windows.h>
#include <lm.h>

bool HasNoLocalAccount(const std::wstring& userName)
{
    // netapi32 is none of Windows' known DLLs: imported by name, a copy
    // planted beside tamrel.exe would be loaded. Loaded here, from System32
    // only, and only when net.exe has failed.
    const Library netapi(LoadLibraryExW(L"netapi32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    if (!netapi.valid()) return false;
    const auto getInfo = netapi.Export<decltype(&NetUserGetInfo)>("NetUserGetInfo");
    const auto freeBuffer = netapi.Export<decltype(&NetApiBufferFree)>("NetApiBufferFree");
    if (getInfo == nullptr || freeBuffer == nullptr) return false;
    // Level 0 (the name alone) on this computer, which any user may ask.
    LPBYTE info = nullptr;
    const NET_API_STATUS status = getInfo(nullptr, userName.c_str(), 0, &info);
    if (info != nullptr) freeBuffer(info);
    return status == NERR_UserNotFound;
}
