#include "AnsiText.h"
#include "ConsoleInterrupt.h"
#include "Harness.h"
#include "PasswordInput.h"
#include "WinHandle.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Typed {
    InputEnd end;
    std::wstring password;
    std::size_t keysRead;
};

// Feeds the key loop from a list, as the console would deliver them.
Typed Type(const std::vector<int>& keys)
{
    std::size_t next = 0;
    SecretText password;
    const InputEnd end = ReadPassword(
        [&]() {
            if (next >= keys.size()) throw std::runtime_error("read past the last key");
            return keys[next++];
        },
        password);
    return {end, password.Text(), next};
}

TEST(PasswordInput, KeysMakeThePassword)
{
    const InputEnd entered = InputEnd::Entered;
    const InputEnd unpaired = InputEnd::UnpairedSurrogate;
    const int high = 0xD83D, low = 0xDE00; // U+1F600, beyond the 16-bit range
    struct Case {
        const char* what;
        std::vector<int> keys;
        InputEnd end;
        std::wstring password;
    };
    const Case cases[] = {
        {"letters", {'s', 'e', 'c', 'r', 'e', 't', 13}, entered, L"secret"},
        {"Enter alone", {13}, entered, L""},
        {"backspace removes the last", {'a', 'b', 8, 'c', 13}, entered, L"ac"},
        {"backspace on nothing", {8, 8, 'a', 13}, entered, L"a"},
        {"kana", {L'パ', L'ス', '1', 13}, entered, L"パス1"},
        {"backspace over kana", {L'表', L'ソ', 8, 8, 'x', 13}, entered, L"x"},
        {"keys that enter nothing", {'a', 0, 0, 'b', 13}, entered, L"ab"},
        {"line feed is a character", {'a', 10, 'b', 13}, entered, L"a\nb"},
        {"spaces and quotes", {' ', '"', '\\', 13}, entered, L" \"\\"},
        // The very characters, never a look-alike (e for é, the backslash for ¥).
        {"any character", {'p', L'é', L'¥', '1', 13}, entered, L"p\u00E9\u00A51"},
        {"a character beyond 16 bits", {'a', high, low, 13}, entered, L"a\U0001F600"},
        {"backspace over it, both halves", {'a', high, low, 8, 13}, entered, L"a"},
        {"half a character", {'a', high, 'b', 13}, unpaired, L""},
        {"backspace over half a character", {'a', high, 8, 'b', 13}, entered, L"ab"},
        {"a low half alone", {low, 13}, unpaired, L""},
    };
    for (const Case& c : cases) {
        const Typed typed = Type(c.keys);
        EXPECT_EQ(c.end, typed.end) << c.what;
        if (c.end == entered) {
            EXPECT_EQ(c.password, typed.password) << c.what;
        }
        EXPECT_EQ(c.keys.size(), typed.keysRead) << c.what;
    }
}

// The console's events as Windows delivers them: every key pressed and
// released, the release carrying the character as well.
INPUT_RECORD KeyEvent(WORD key, wchar_t character, bool down, WORD repeats = 1)
{
    INPUT_RECORD record;
    ZeroMemory(&record, sizeof record);
    record.EventType = KEY_EVENT;
    record.Event.KeyEvent.bKeyDown = down;
    record.Event.KeyEvent.wRepeatCount = repeats;
    record.Event.KeyEvent.wVirtualKeyCode = key;
    record.Event.KeyEvent.uChar.UnicodeChar = character;
    return record;
}

TEST(PasswordInput, AltAndTheNumericKeypadTypeACharacter)
{
    std::vector<INPUT_RECORD> events;
    const auto press = [&](WORD key, wchar_t character, WORD repeats = 1) {
        events.push_back(KeyEvent(key, character, true, repeats));
        events.push_back(KeyEvent(key, character, false));
    };
    press('P', L'p');
    // Alt+64: Alt held, 6 and 4 on the keypad enter nothing; the release of
    // Alt carries @.
    events.push_back(KeyEvent(VK_MENU, 0, true));
    press(VK_NUMPAD6, 0);
    press(VK_NUMPAD4, 0);
    events.push_back(KeyEvent(VK_MENU, L'@', false));
    press('1', L'1', 2); // held: typed twice
    events.push_back(KeyEvent(VK_MENU, 0, true)); // Alt pressed and let go alone
    events.push_back(KeyEvent(VK_MENU, 0, false));
    press(VK_RETURN, 13);
    std::size_t next = 0;
    KeyEvents keys([&](INPUT_RECORD& record) {
        if (next == events.size()) return false;
        record = events[next++];
        return true;
    });
    SecretText password;
    EXPECT_EQ(InputEnd::Entered, ReadPassword([&] { return keys.Next(); }, password));
    EXPECT_EQ(L"p@11", password.Text());
}

TEST(PasswordInput, CtrlCCancels)
{
    const Typed typed = Type({'a', 'b', 3, 'c', 13});
    EXPECT_EQ(InputEnd::Cancelled, typed.end);
    EXPECT_EQ(3u, typed.keysRead);
}

TEST(PasswordInput, NoConsoleInputCancelsInsteadOfReadingForever)
{
    const Typed typed = Type({'a', kNoConsoleInput, 'c', 13});
    EXPECT_EQ(InputEnd::Cancelled, typed.end);
    EXPECT_EQ(2u, typed.keysRead);
}

TEST(PasswordInput, LongPasswordsGrowWithoutLoss)
{
    std::vector<int> keys(1000, 'k');
    keys.push_back(13);
    EXPECT_EQ(std::wstring(1000, L'k'), Type(keys).password);
}

// A console event (Ctrl+C, Ctrl+Break; the handler called directly, as the
// system would) ends the reading on the reading thread, and the console
// gets its mode back.
TEST(PasswordInput, ConsoleEventEndsTheReadingAndGivesTheModeBack)
{
    // A console whose modes can be read and set: the one that Windows makes
    // for a program started without a window (the recorder, waiting).
    const std::string log = BinDirectory() + "\\console-owner.txt";
    DeleteFileA(log.c_str());
    Environment env;
    env.Set("RECORDER_LOG", log);
    env.Set("RECORDER_WAIT", "forever");
    std::wstring line = L"recorder.exe";
    std::wstring block = env.Block();
    STARTUPINFOW startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    PROCESS_INFORMATION owner;
    ASSERT_TRUE(CreateProcessW(ToWide(BinDirectory() + "\\recorder.exe").c_str(), &line[0], nullptr, nullptr, FALSE,
                               CREATE_NO_WINDOW | CREATE_UNICODE_ENVIRONMENT, &block[0], nullptr, &startup, &owner));
    const Handle ownerThread(owner.hThread);
    struct Ended : Handle {
        using Handle::Handle;
        ~Ended() { TerminateProcess(get(), 0); }
    } const ownerProcess(owner.hProcess);
    ASSERT_TRUE(WaitForFile(log, 30000)); // up, with its console
    FreeConsole();
    ASSERT_TRUE(AttachConsole(owner.dwProcessId));
    const Handle input(CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_EXISTING, 0, nullptr));
    DWORD saved = 0;
    ASSERT_TRUE(GetConsoleMode(input.get(), &saved));
    ASSERT_NE(0u, saved);
    DWORD mode = saved;
    {
        const ConsoleInterrupt interrupt;
        ConsoleKeys console(interrupt.event());
        EXPECT_TRUE(GetConsoleMode(input.get(), &mode));
        EXPECT_EQ(0u, mode) << "reads raw";
        EXPECT_TRUE(ConsoleInterrupt::OnConsoleEvent(CTRL_C_EVENT)) << "handled, not the system's end";
        SecretText password;
        EXPECT_EQ(InputEnd::Cancelled, ReadPassword([&console] { return console.Next(); }, password));
    }
    EXPECT_TRUE(GetConsoleMode(input.get(), &mode));
    EXPECT_EQ(saved, mode);
    FreeConsole();
}

} // namespace
