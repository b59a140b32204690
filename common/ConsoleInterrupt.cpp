#include "ConsoleInterrupt.h"

#include "RvWinException.h"

#include <atomic>

namespace {

std::atomic<HANDLE> activeEvent{nullptr};

// How long a closing console waits for the program to end in its own way
// (Windows gives the handler five seconds).
const DWORD kClosingGraceMs = 3000;

} // namespace

ConsoleInterrupt::ConsoleInterrupt() : event_(CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
    if (!event_.valid()) throw RvWinException::FromLastError();
    activeEvent = event_.get();
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

ConsoleInterrupt::~ConsoleInterrupt()
{
    SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
    activeEvent = nullptr;
}

BOOL WINAPI ConsoleInterrupt::OnConsoleEvent(DWORD event)
{
    const HANDLE raised = activeEvent;
    if (raised == nullptr) return FALSE;
    SetEvent(raised);
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) return TRUE;
    Sleep(kClosingGraceMs);
    return FALSE;
}
