#include "CurrentDirectory.h"

#include "RvWinException.h"

#include <windows.h>

std::string ReadCurrentDirectory()
{
    std::string directory(MAX_PATH, '\0');
    for (;;) {
        const DWORD result = GetCurrentDirectoryA(static_cast<DWORD>(directory.size()), &directory[0]);
        if (result == 0) throw RvWinException();
        if (result < directory.size()) break;
        directory.assign(result, '\0'); // too small: result is the size it needs
    }
    return directory.substr(0, directory.find('\0'));
}
