#pragma once

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
// as an option or as a request to prompt.
void RefuseUserName(const std::wstring& userName);
void RefusePassword(const std::wstring& password);

// Waits for the account tool and throws RvWinException unless it ended with 0
// (also when there is no process to wait for).
// One that does not end in time is ended, so it cannot change the password
// after the failure is reported; where Windows refuses that, the message
// says so.
void AwaitAccountTool(HANDLE process, DWORD timeoutMs);
