#pragma once

#include "SecretText.h"
#include "WinHandle.h"

#include <windows.h>

#include <functional>
#include <utility>

// Gives the next key as the console reads it, unechoed: the UTF-16 unit that
// it enters, kEntersNothing for a key that enters no character (arrows,
// function keys, Shift), or kNoConsoleInput when there is no console to read.
using KeySource = std::function<int()>;
const int kEntersNothing = 0;
const int kNoConsoleInput = -1;

// Entered: password holds what was typed, as UTF-16.
// UnpairedSurrogate: half of a character beyond the 16-bit range was typed
// without its other half; no password can hold that, so none is given.
enum class InputEnd { Entered, Cancelled, UnpairedSurrogate };

// Reads a password key by key until Enter (Entered, or UnpairedSurrogate),
// or Ctrl+C or the end of console input (Cancelled). Backspace removes the
// last character, both halves of a surrogate pair, and also a lone half.
InputEnd ReadPassword(const KeySource& nextKey, SecretText& password);

// Turns the console's input events into keys: a key pressed gives the
// character it enters, as often as the event says it repeats (0 for a key
// that enters none); the release of Alt that carries a character gives that
// character, typed with Alt and the numeric keypad. Nothing else counts, so
// no key counts twice: the release of any other key carries its character
// too.
class KeyEvents {
public:
    // Fills in the next event; false when there is no more input.
    using Reader = std::function<bool(INPUT_RECORD&)>;
    explicit KeyEvents(Reader read) : read_(std::move(read)) {}

    int Next();
    // Forgets the last character; nothing is allocated or freed.
    void Forget();

private:
    Reader read_;
    wchar_t repeated_ = 0; // a held key delivers its character again
    WORD repeats_ = 0;
};

// The console's keys, whatever the console's input code page. Reads raw while
// it lives (Ctrl+C arrives as a key, nothing is echoed) and gives the console
// its mode back when destroyed. Once the event interrupted is set (a console
// event: ConsoleInterrupt's), there are no more keys.
class ConsoleKeys {
public:
    explicit ConsoleKeys(HANDLE interrupted);
    ~ConsoleKeys();
    ConsoleKeys(const ConsoleKeys&) = delete;
    ConsoleKeys& operator=(const ConsoleKeys&) = delete;

    int Next();

private:
    Handle input_;
    HANDLE interrupted_;
    DWORD mode_ = 0;
    bool modeChanged_ = false;
    KeyEvents events_;
};

// Whether standard input is a console, the one place a password can be typed
// without echo (not a pipe, a file or a service's nothing).
bool StandardInputIsConsole();
