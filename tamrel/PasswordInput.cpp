#include "PasswordInput.h"

#include "AnsiText.h"

#include <atomic>
#include <optional>
#include <string>

namespace {

const wchar_t kEnter = 13;
const wchar_t kCtrlC = 3;
const wchar_t kBackspace = 8;
// The stand-in length of a character without a form in the code page.
const char kNoForm = 0;

// The typed characters: their bytes in the password and, in the same order,
// the byte count of each, so that Backspace removes one whole character.
class Typed {
public:
    explicit Typed(SecretText& password) : password_(password) {}

    void Add(const std::wstring& character)
    {
        const std::optional<std::string> exact = ToExactAnsi(character);
        if (!exact) {
            lengths_.Append(kNoForm);
            return;
        }
        for (char byte : *exact) password_.Append(byte);
        lengths_.Append(static_cast<char>(exact->size()));
    }

    void RemoveLast()
    {
        if (lengths_.Text().empty()) return;
        password_.Truncate(static_cast<unsigned char>(lengths_.Text().back()));
        lengths_.Truncate(1);
    }

    bool AllHaveAForm() const
    {
        return lengths_.Text().find(kNoForm) == std::string::npos;
    }

private:
    SecretText& password_;
    SecretText lengths_; // says which characters are double-byte ones
};

} // namespace

InputEnd ReadPassword(const KeySource& nextKey, SecretText& password)
{
    Typed typed(password);
    wchar_t high = 0; // the first half of a character beyond the 16-bit range
    for (;;) {
        const int key = nextKey();
        if (key == kNoConsoleInput) return InputEnd::Cancelled;
        if (key == kEntersNothing) continue;
        const wchar_t unit = static_cast<wchar_t>(key);
        if (high != 0) {
            if (IsLowSurrogate(unit)) {
                typed.Add({high, unit});
                high = 0;
                continue;
            }
            typed.Add({high}); // half a character: no form anywhere
            high = 0;
        }
        switch (unit) {
        case kEnter:
            return typed.AllHaveAForm() ? InputEnd::Entered : InputEnd::Unrepresentable;
        case kCtrlC:
            return InputEnd::Cancelled;
        case kBackspace:
            typed.RemoveLast();
            break;
        default:
            if (IsHighSurrogate(unit)) high = unit;
            else typed.Add({unit});
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

ConsoleKeys::ConsoleKeys()
    : input_(CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr)),
      events_([this](INPUT_RECORD& record) {
          DWORD count = 0;
          return ReadConsoleInputW(input_.get(), &record, 1, &count) && count == 1;
      })
{
    if (!input_.valid() || !GetConsoleMode(input_.get(), &mode_)) return;
    modeChanged_ = SetConsoleMode(input_.get(), 0) != FALSE;
}

ConsoleKeys::~ConsoleKeys()
{
    Restore();
}

void ConsoleKeys::Restore()
{
    if (modeChanged_) SetConsoleMode(input_.get(), mode_);
    events_.Forget();
}

int ConsoleKeys::Next()
{
    return input_.valid() ? events_.Next() : kNoConsoleInput;
}

namespace {

// The guard of the password being read, for the handler's thread.
std::atomic<EndingGuard*> activeGuard{nullptr};

} // namespace

bool StandardInputIsConsole()
{
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != FALSE;
}

EndingGuard::EndingGuard(ConsoleKeys& console, SecretText& password, SecretText& retyped)
    : console_(console), password_(password), retyped_(retyped)
{
    activeGuard = this;
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

EndingGuard::~EndingGuard()
{
    SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
    activeGuard = nullptr;
}

BOOL WINAPI EndingGuard::OnConsoleEvent(DWORD)
{
    // Every event that reaches here ends the process: the console is not
    // left without echo for whatever reads it next, nor the password in
    // memory.
    if (EndingGuard* guard = activeGuard) {
        guard->console_.Restore();
        guard->password_.Clear();
        guard->retyped_.Clear();
    }
    return FALSE;
}
