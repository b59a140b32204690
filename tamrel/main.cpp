// tamrel: sets a local account's password through net.exe, elevated.
#include "AccountCommand.h"
#include "ElevatedStart.h"
#include "PasswordInput.h"
#include "RvWinException.h"
#include "StandardOutput.h"

#include <exception>

namespace {

const DWORD kAccountToolTimeoutMs = 60000;

int ChangePassword(const std::string& userName)
{
    RefuseUserName(userName);
    WriteStandardOutput("enter " + userName + "'s new password : ");
    SecretText password;
    const InputEnd end = ReadPassword(ReadConsoleKey, password);
    WriteStandardOutput("\n");
    if (end == InputEnd::Cancelled) return 1;
    if (password.Text().empty()) throw RvWinException("password is empty.");
    RefusePassword(password.Text());

    SecretText parameters;
    BuildNetUserParameters(parameters, userName, password);
    SHELLEXECUTEINFOA record = NetUserLaunchRecord(parameters.Text().c_str());
    const Handle process = StartElevated(record);
    if (process.valid()) AwaitAccountTool(process.get(), kAccountToolTimeoutMs);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) return 1;
    try {
        return ChangePassword(argv[1]);
    } catch (const RvWinException& error) {
        WriteStandardOutput(error.message() + "\n");
        return 1;
    } catch (const std::exception& error) {
        WriteStandardOutput(error.what() + std::string("\n"));
        return 1;
    }
}
