// Stands in for a started program (also as cmd.exe and net.exe in the test
// prefix). Writes down its command line, its parsed arguments and its working
// directory to the file named by RECORDER_LOG, waits RECORDER_WAIT
// milliseconds when that is set ("forever": until it is ended), then ends with
// the exit code given in RECORDER_EXIT (0 when unset). With RECORDER_HOLD set
// to a NAME, it owns the mutex NAME.running from before it writes until it
// ends, and waits for the event NAME to be set: a test sees it run, and says
// when it ends.
//
// It reads what Windows gave it in UTF-16, and writes it in the ANSI code
// page as a program of that code page would see it (Windows' own conversion,
// look-alikes included), or with RECORDER_UTF8 set, as UTF-8: every
// character exactly. Its manifest asks for code page 932. With
// RECORDER_CODE_PAGE set, the record begins with the code page it has.
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace {

std::wstring Variable(const wchar_t* name)
{
    wchar_t buffer[32768];
    const DWORD size = GetEnvironmentVariableW(name, buffer, 32768);
    return size == 0 || size >= 32768 ? std::wstring() : std::wstring(buffer, size);
}

std::string Bytes(const std::wstring& text, UINT codePage)
{
    if (text.empty()) return std::string();
    const int size = static_cast<int>(text.size());
    std::string bytes(static_cast<std::size_t>(WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0,
                                                                   nullptr, nullptr)), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), size, &bytes[0], static_cast<int>(bytes.size()), nullptr, nullptr);
    return bytes;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring log = Variable(L"RECORDER_LOG");
    if (log.empty()) return 99;
    const UINT codePage = Variable(L"RECORDER_UTF8").empty() ? CP_ACP : CP_UTF8;
    const std::wstring wait = Variable(L"RECORDER_WAIT");
    // A keeper (forever) has Wine start its desktop process before it writes
    // its record: started later, by a program under test, the desktop would
    // hold that test's output open to the end.
    if (wait == L"forever") GetDesktopWindow();
    const std::wstring hold = Variable(L"RECORDER_HOLD");
    // Held for the process's whole life: Windows closes it at the end, which
    // abandons the mutex.
    const HANDLE running = hold.empty() ? nullptr : CreateMutexW(nullptr, TRUE, (hold + L".running").c_str());

    wchar_t directory[32768];
    GetCurrentDirectoryW(32768, directory);

    std::wstring record;
    if (!Variable(L"RECORDER_CODE_PAGE").empty()) record += L"code page=" + std::to_wstring(GetACP()) + L"\n";
    record += L"command line=" + std::wstring(GetCommandLineW()) + L"\n";
    record += L"directory=" + std::wstring(directory) + L"\n";
    for (int i = 1; i < argc; ++i) record += L"argument=" + std::wstring(argv[i]) + L"\n";

    // Written beside the log and moved over it, so a reader never sees half.
    const std::wstring partial = log + L".partial";
    {
        std::ofstream out(partial.c_str(), std::ios::binary);
        out << Bytes(record, codePage);
    }
    MoveFileExW(partial.c_str(), log.c_str(), MOVEFILE_REPLACE_EXISTING);

    if (!hold.empty()) {
        const HANDLE release = CreateEventW(nullptr, TRUE, FALSE, hold.c_str());
        if (running == nullptr || release == nullptr) return 98;
        WaitForSingleObject(release, INFINITE);
    }

    if (wait == L"forever") Sleep(INFINITE);
    if (!wait.empty()) Sleep(static_cast<DWORD>(std::wcstol(wait.c_str(), nullptr, 10)));

    const std::wstring code = Variable(L"RECORDER_EXIT");
    // Any 32-bit code, in decimal or as 0x...
    return code.empty() ? 0 : static_cast<int>(std::wcstoul(code.c_str(), nullptr, 0));
}
