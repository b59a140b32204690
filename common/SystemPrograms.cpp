#include "SystemPrograms.h"

#include "GrowingBuffer.h"
#include "RvWinException.h"

#include <windows.h>

const std::wstring& SystemFolder()
{
    static const std::wstring folder = [] {
        const std::optional<std::wstring> reported =
            ReadGrowing([](wchar_t* buffer, DWORD size) { return GetSystemDirectoryW(buffer, size); });
        if (!reported) throw RvWinException::FromLastError();
        const wchar_t usual[] = L"C:\\Windows\\System32";
        return lstrcmpiW(reported->c_str(), usual) == 0 ? std::wstring(usual) : *reported;
    }();
    return folder;
}

const std::wstring& CommandProcessor()
{
    static const std::wstring program = SystemFolder() + L"\\cmd.exe";
    return program;
}

const std::wstring& AccountTool()
{
    static const std::wstring program = SystemFolder() + L"\\net.exe";
    return program;
}
