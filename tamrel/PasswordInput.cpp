#include "PasswordInput.h"

#include "AnsiText.h"

#include <string>

namespace {

const wchar_t kEnter = 13;
const wchar_t kCtrlC = 3;
const wchar_t kBackspace = 8;

// The last character goes whole: both halves of a surrogate pair.
void RemoveLastCharacter(SecretText& password)
{
    const std::wstring& text = password.Text();
    if (text.empty()) return;
    const std::size_t size = text.size();
    password.Truncate(size >= 2 && IsLowSurrogate(text[size - 1]) && IsHighSurrogate(text[size - 2]) ? 2 : 1);
}

} // namespace

InputEnd ReadPassword(const KeySource& nextKey, SecretText& password)
{
    for (;;) {
        const int key = nextKey();
        if (key == kNoConsoleInput) return InputEnd::Cancelled;
        if (key == kEntersNothing) continue;
        const wchar_t unit = static_cast<wchar_t>(key);
        switch (unit) {
        case kEnter:
            return HasUnpairedSurrogate(password.Text()) ? InputEnd::UnpairedSurrogate : InputEnd::Entered;
        case kCtrlC:
            return InputEnd::Cancelled;
        case kBackspace:
            RemoveLastCharacter(password);
            break;
        default:
            password.Append(unit);
        }
    }
}

int KeyEvents::Next()
{
    if (repeats_ > 0) {
        --repeats_;
        return repeated_;
    }
    for (;;) {
        INPUT_RECORD record;
        if (!read_(record)) return kNoConsoleInput;
        if (record.EventType != KEY_EVENT) continue;
        const KEY_EVENT_RECORD& key = record.Event.KeyEvent;
        const bool altCode = !key.bKeyDown && key.wVirtualKeyCode == VK_MENU && key.uChar.UnicodeChar != 0;
        if (!key.bKeyDown && !altCode) continue;
        repeated_ = key.uChar.UnicodeChar;
        repeats_ = key.bKeyDown && key.wRepeatCount > 1 ? key.wRepeatCount - 1 : 0;
        SecureZeroMemory(&record, sizeof record);
        return repeated_;
    }
}

void KeyEvents::Forget()
{
    SecureZeroMemory(&repeated_, sizeof repeated_);
    repeats_ = 0;
}

ConsoleKeys::ConsoleKeys(HANDLE interrupted)
    : input_(CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr)),
      interrupted_(interrupted),
      events_([this](INPUT_RECORD& record) {
          // A console event ends the reading here, on this thread, which
          // alone touches the password and the console's mode.
          const HANDLE handles[] = {input_.get(), interrupted_};
          if (WaitForMultipleObjects(2, handles, FALSE, INFINITE) != WAIT_OBJECT_0) return false;
          DWORD count = 0;
          return ReadConsoleInputW(input_.get(), &record, 1, &count) && count == 1;
      })
{
    if (!input_.valid() || !GetConsoleMode(input_.get(), &mode_)) return;
    modeChanged_ = SetConsoleMode(input_.get(), 0) != FALSE;
}

ConsoleKeys::~ConsoleKeys()
{
    if (modeChanged_) SetConsoleMode(input_.get(), mode_);
    events_.Forget();
}

int ConsoleKeys::Next()
{
    return input_.valid() ? events_.Next() : kNoConsoleInput;
}

bool StandardInputIsConsole()
{
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != FALSE;
}
