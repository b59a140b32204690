#include "ElevatedStart.h"

#include "RvWinException.h"

SHELLEXECUTEINFOW MakeElevatedLaunchRecord(const wchar_t* file, const wchar_t* parameters,
                                           const wchar_t* directory, int show)
{
    SHELLEXECUTEINFOW record{};
    record.cbSize = sizeof record;
    // NOASYNC: a start that the shell completes on another thread (DDE, a
    // running program that takes the file) is done before the call returns,
    // so it is not lost when the program ends right after. FLAG_NO_UI: the
    // program reports errors itself, and a message box would hold up a
    // script that nobody watches.
    record.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    // Owned by the console's window, Windows brings the consent prompt to
    // the front rather than behind other windows.
    record.hwnd = GetConsoleWindow();
    record.lpVerb = L"runas";
    record.lpFile = file;
    record.lpParameters = parameters;
    record.lpDirectory = directory;
    record.nShow = show;
    return record;
}

Handle StartElevated(SHELLEXECUTEINFOW& record)
{
    if (!ShellExecuteExW(&record)) {
        // The system's text names the file where it says %1, as Windows'
        // own dialogs do.
        const DWORD error = GetLastError();
        throw RvWinException::FromCode(error, record.lpFile);
    }
    return Handle(record.hProcess);
}

std::optional<DWORD> AwaitExitCode(HANDLE process, DWORD timeoutMs, HANDLE interrupted)
{
    const HANDLE handles[] = {process, interrupted};
    const DWORD waited = WaitForMultipleObjects(2, handles, FALSE, timeoutMs);
    if (waited == WAIT_TIMEOUT || waited == WAIT_OBJECT_0 + 1) return std::nullopt;
    if (waited != WAIT_OBJECT_0) throw RvWinException::FromLastError();
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(process, &exitCode)) throw RvWinException::FromLastError();
    return exitCode;
}
