// Types into its own console, then runs a program there: writes the keys into
// the console's input queue (WriteConsoleInputW), as a keyboard would, starts
// the program with the rest of its command line in the same console (its
// standard input), waits, prints "exit N" with the program's exit code and
// ends with it.
//   typist.exe KEYS PROGRAM [ARGUMENTS...]
// KEYS (none of them special to cmd.exe): each character is a key pressed and
// released, ~ is Enter, and {N} is the character N typed as Alt+N on the
// numeric keypad: Alt held, the
// digits pressed and released entering nothing, and the release of Alt
// carrying the character.
#include "CommandLine.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

INPUT_RECORD KeyEvent(WORD key, wchar_t character, bool down)
{
    INPUT_RECORD record;
    ZeroMemory(&record, sizeof record);
    record.EventType = KEY_EVENT;
    record.Event.KeyEvent.bKeyDown = down;
    record.Event.KeyEvent.wRepeatCount = 1;
    record.Event.KeyEvent.wVirtualKeyCode = key;
    record.Event.KeyEvent.uChar.UnicodeChar = character;
    record.Event.KeyEvent.dwControlKeyState = key == VK_MENU && down ? LEFT_ALT_PRESSED : 0;
    return record;
}

void Press(std::vector<INPUT_RECORD>& events, WORD key, wchar_t character)
{
    events.push_back(KeyEvent(key, character, true));
    events.push_back(KeyEvent(key, character, false));
}

std::vector<INPUT_RECORD> Events(const std::wstring& keys)
{
    std::vector<INPUT_RECORD> events;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i] == L'~') {
            Press(events, VK_RETURN, L'\r');
        } else if (keys[i] == L'{') {
            const std::size_t close = keys.find(L'}', i);
            const std::wstring digits = keys.substr(i + 1, close - i - 1);
            events.push_back(KeyEvent(VK_MENU, 0, true));
            for (wchar_t digit : digits) Press(events, static_cast<WORD>(VK_NUMPAD0 + (digit - L'0')), 0);
            events.push_back(KeyEvent(VK_MENU, static_cast<wchar_t>(std::wcstoul(digits.c_str(), nullptr, 10)), false));
            i = close;
        } else {
            Press(events, LOBYTE(VkKeyScanW(keys[i])), keys[i]);
        }
    }
    return events;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) return 99;
    const std::vector<INPUT_RECORD> events = Events(argv[1]);
    // Inherited as the program's standard input: a job step's own is a pipe.
    SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
    const auto openInput = [&inherited] {
        return CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                           OPEN_EXISTING, 0, nullptr);
    };
    HANDLE input = openInput();
    // Started with no console at all (a service's job), it makes one.
    if (input == INVALID_HANDLE_VALUE && AllocConsole()) input = openInput();
    DWORD written = 0;
    if (!WriteConsoleInputW(input, events.data(), static_cast<DWORD>(events.size()), &written) ||
        written != events.size()) {
        std::printf("cannot write the console's input: %lu\n", GetLastError());
        return 98;
    }
    // The program's command line: what follows KEYS on this one.
    const std::wstring own = GetCommandLineW();
    std::wstring line = own.substr(SplitCommandLine(own)[2].begin);
    STARTUPINFOW startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input;
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process;
    if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        std::printf("cannot start the program: %lu\n", GetLastError());
        return 97;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    std::printf("exit %lu\n", exitCode);
    return static_cast<int>(exitCode);
}
