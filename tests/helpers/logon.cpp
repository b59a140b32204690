// Checks a local account's password by logging on with it, as the Windows
// job does after tamrel set it: logon.exe USER PASSWORD ends with 0 when
// Windows accepts them, else with the logon's error code. A network logon
// needs no right to log on at the console.
#include <windows.h>

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3) return ERROR_INVALID_PARAMETER;
    HANDLE token = nullptr;
    if (!LogonUserW(argv[1], L".", argv[2], LOGON32_LOGON_NETWORK, LOGON32_PROVIDER_DEFAULT, &token)) {
        return static_cast<int>(GetLastError());
    }
    CloseHandle(token);
    return 0;
}
