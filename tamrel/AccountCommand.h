#pragma once

#include "ConsoleInterrupt.h"
#include "RvWinException.h"
#include "SecretText.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

// The account tool that sets the password, and how it is asked to.

// "user NAME PASSWORD", each quoted so that net.exe receives one argument,
// and " /Y" after a password that net.exe would ask about.
void BuildNetUserParameters(SecretText& parameters, const std::wstring& userName, const SecretText& password);

// The elevated start of net.exe in the system folder, with a hidden window.
SHELLEXECUTEINFOW NetUserLaunchRecord(const wchar_t* parameters);

// Throws RvWinException for a user name or password that net.exe would take
// as an option or as a request to prompt, for an empty or blank user name,
// and for a user name with half of a character (an unpaired surrogate).
void RefuseUserName(const std::wstring& userName);
void RefusePassword(const std::wstring& password);

// How long tamrel waits for the account tool.
const DWORD kAccountToolTimeoutSeconds = 60;

// Waits for the account tool and gives its exit code. Throws RvWinException
// when there is no process to wait for, when a console event interrupts the
// wait (the tool may still change the password), or when it does not end in
// time: then it is ended, so it cannot change the password after the failure
// is reported; where Windows refuses that, the message says so.
DWORD AwaitAccountTool(HANDLE process, DWORD timeoutMs, const ConsoleInterrupt& interrupt);

// The failure that the account tool's exit code (not 0) stands for, with a
// second line when this computer has no local account named userName.
RvWinException AccountToolFailure(DWORD exitCode, const std::wstring& userName);
