#include "AccountCommand.h"

#include "AnsiText.h"
#include "CommandLine.h"
#include "ElevatedStart.h"
#include "LocalAccount.h"
#include "RvWinException.h"
#include "SystemPrograms.h"

namespace {

// The longest password, in UTF-16 units, that net.exe sets without asking.
const std::size_t kLongestUnaskedPassword = 14;

} // namespace

void BuildNetUserParameters(SecretText& parameters, const std::wstring& userName, const SecretText& password)
{
    // Room for the worst quoting, so no copy of the password is left behind.
    parameters.Reserve(16 + 2 * userName.size() + 2 * password.Text().size());
    std::wstring& text = parameters.Text();
    text += L"user ";
    AppendQuotedArgument(text, userName);
    text += L' ';
    AppendQuotedArgument(text, password.Text());
    // Windows' net.exe asks before it sets a password of more than 14
    // characters, which Windows before 2000 cannot use: "Do you want to
    // continue this operation? (Y/N) [Y]". It counts UTF-16 units, so a
    // character beyond 16 bits counts twice. In the hidden window nobody can
    // answer, and NET commands take /Y as the answer yes; where net.exe
    // would not ask, /Y changes nothing. (Wine's net.exe asks nothing; this
    // follows what Windows documents.)
    if (password.Text().size() > kLongestUnaskedPassword) text += L" /Y";
}

SHELLEXECUTEINFOW NetUserLaunchRecord(const wchar_t* parameters)
{
    // The record points at them until tamrel ends.
    static const std::wstring folder = SystemFolder();
    static const std::wstring tool = folder + L"\\net.exe";
    return MakeElevatedLaunchRecord(tool.c_str(), parameters, folder.c_str(), SW_HIDE);
}

void RefuseUserName(const std::wstring& userName)
{
    // net.exe would be asked to set the password of no account at all.
    if (IsWhiteSpaceOnly(userName)) throw RvWinException::FromText("user name is empty.");
    if (!userName.empty() && userName[0] == L'/') throw RvWinException::FromText("user name must not begin with '/'.");
    // No account has half a character in its name; passed on, it would
    // reach net.exe as something other than what was typed.
    if (HasUnpairedSurrogate(userName)) {
        throw RvWinException::FromText("user name has half of a character (an unpaired surrogate).");
    }
}

void RefusePassword(const std::wstring& password)
{
    if (password[0] == L'/' || password == L"*") throw RvWinException::FromText("password must not begin with '/' or be '*'.");
}

namespace {

// How long an ended account tool may take to be gone.
const DWORD kEndWaitMs = 5000;

// Ends the account tool; true once it is no longer running.
bool EndAccountTool(HANDLE process)
{
    if (!TerminateProcess(process, ERROR_TIMEOUT)) return WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    return WaitForSingleObject(process, kEndWaitMs) == WAIT_OBJECT_0;
}

} // namespace

DWORD AwaitAccountTool(HANDLE process, DWORD timeoutMs, const ConsoleInterrupt& interrupt)
{
    // The shell started net.exe but gave nothing to wait for: "changed"
    // would be a guess.
    if (process == nullptr || process == INVALID_HANDLE_VALUE) {
        throw RvWinException::FromText("net.exe was started, but tamrel cannot tell whether the password was changed.");
    }
    const std::optional<DWORD> exitCode = AwaitExitCode(process, timeoutMs, interrupt.event());
    if (!exitCode && interrupt.raised()) throw RvWinException::FromText("cancelled; net.exe was started and may still change the password.");
    if (!exitCode) {
        // Left running, it could still change the password after tamrel has
        // reported that it did not.
        std::string message = "net.exe did not finish within " + std::to_string(kAccountToolTimeoutSeconds) + " seconds.";
        if (!EndAccountTool(process)) message += "\nnet.exe is still running and may yet change the password.";
        throw RvWinException::FromText(message);
    }
    return *exitCode;
}

RvWinException AccountToolFailure(DWORD exitCode, const std::wstring& userName)
{
    OutputText message("net.exe failed with exit code " + std::to_string(exitCode) + "; the password was not changed.");
    // net.exe's own words are in its hidden window; the usual cause is
    // worth naming where Windows can tell it without elevation.
    if (HasNoLocalAccount(userName)) message.Own("\nthis computer has no local account named ").Wide(userName).Own(".");
    return RvWinException::FromText(message, 1);
}
