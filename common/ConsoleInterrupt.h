#pragma once

#include "WinHandle.h"

#include <windows.h>

// While it lives, Ctrl+C and Ctrl+Break no longer end the process at once,
// as the system's handler would (with 0 under Wine, a code that a script
// reads as success): they set an event that the program's waits watch, and
// the program ends in its own way, with a line and a failure code. Any other
// console event (the window closed, logoff, shutdown) sets it too and gives
// the program a moment to end so before the system ends it. One at a time.
class ConsoleInterrupt {
public:
    // Throws RvWinException when the event cannot be made.
    ConsoleInterrupt();
    ~ConsoleInterrupt();
    ConsoleInterrupt(const ConsoleInterrupt&) = delete;
    ConsoleInterrupt& operator=(const ConsoleInterrupt&) = delete;

    // Set once an event has come.
    HANDLE event() const { return event_.get(); }
    bool raised() const { return WaitForSingleObject(event_.get(), 0) == WAIT_OBJECT_0; }

    // The handler that the system calls, on a thread of its own.
    static BOOL WINAPI OnConsoleEvent(DWORD event);

private:
    Handle event_;
};
