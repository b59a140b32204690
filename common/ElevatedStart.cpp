#include "ElevatedStart.h"

#include "RvWinException.h"

SHELLEXECUTEINFOA MakeElevatedLaunchRecord(const char* file, const char* parameters,
                                           const char* directory, int show)
{
    SHELLEXECUTEINFOA record;
    ZeroMemory(&record, sizeof record);
    record.cbSize = sizeof record;
    record.fMask = SEE_MASK_NOCLOSEPROCESS;
    record.hwnd = nullptr;
    record.lpVerb = "runas";
    record.lpFile = file;
    record.lpParameters = parameters;
    record.lpDirectory = directory;
    record.nShow = show;
    return record;
}

Handle StartElevated(SHELLEXECUTEINFOA& record)
{
    if (!ShellExecuteExA(&record)) {
        throw RvWinException();
    }
    return Handle(record.hProcess);
}

std::optional<DWORD> AwaitExitCode(HANDLE process, DWORD timeoutMs)
{
    const DWORD waited = WaitForSingleObject(process, timeoutMs);
    if (waited == WAIT_TIMEOUT) return std::nullopt;
    if (waited != WAIT_OBJECT_0) throw RvWinException();
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(process, &exitCode)) throw RvWinException();
    return exitCode;
}
