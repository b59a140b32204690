#include "AccountCommand.h"

#include "CommandLine.h"
#include "ElevatedStart.h"
#include "RvWinException.h"

void BuildNetUserParameters(SecretText& parameters, const std::string& userName, const SecretText& password)
{
    // Room for the worst quoting, so no copy of the password is left behind.
    parameters.Reserve(16 + 2 * userName.size() + 2 * password.Text().size());
    std::string& text = parameters.Text();
    text += "user ";
    AppendQuotedArgument(text, userName);
    text += ' ';
    AppendQuotedArgument(text, password.Text());
}

SHELLEXECUTEINFOA NetUserLaunchRecord(const char* parameters)
{
    return MakeElevatedLaunchRecord("C:\\Windows\\System32\\net.exe", parameters, "C:\\Windows\\System32", SW_HIDE);
}

void RefuseUserName(const std::string& userName)
{
    if (!userName.empty() && userName[0] == '/') throw RvWinException("user name must not begin with '/'.");
}

void RefusePassword(const std::string& password)
{
    if (password[0] == '/' || password == "*") throw RvWinException("password must not begin with '/' or be '*'.");
}

void AwaitAccountTool(HANDLE process, DWORD timeoutMs)
{
    const DWORD waited = WaitForSingleObject(process, timeoutMs);
    if (waited == WAIT_TIMEOUT) throw RvWinException("net.exe did not finish within 60 seconds.");
    if (waited != WAIT_OBJECT_0) throw RvWinException();
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(process, &exitCode)) throw RvWinException();
    if (exitCode != 0) {
        const std::string message =
            "net.exe failed with exit code " + std::to_string(exitCode) + "; the password was not changed.";
        throw RvWinException(message.c_str());
    }
}
