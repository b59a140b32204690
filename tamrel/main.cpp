// tamrel: sets a local account's password through net.exe, elevated.
#include "AccountCommand.h"
#include "AnsiText.h"
#include "ElevatedStart.h"
#include "ExactArguments.h"
#include "LibrarySearch.h"
#include "PasswordInput.h"
#include "RvWinException.h"
#include "StandardOutput.h"

#include <exception>

namespace {

const DWORD kAccountToolTimeoutMs = 60000;

// "<what> has a character that code page N cannot represent."
RvWinException Unrepresentable(const char* what)
{
    const std::string message =
        std::string(what) + " has a character that code page " + std::to_string(AnsiCodePage()) + " cannot represent.";
    return RvWinException(message.c_str());
}

// The console is given its mode back before anything more is written, also
// when a console event ends tamrel while it reads.
InputEnd ReadPasswordFromConsole(SecretText& password)
{
    ConsoleKeys console;
    const EndingGuard guard(console, password);
    return ReadPassword([&console] { return console.Next(); }, password);
}

int ChangePassword(const std::string& userName)
{
    RefuseUserName(userName);
    WriteStandardOutput("enter " + userName + "'s new password : ");
    SecretText password;
    const InputEnd end = ReadPasswordFromConsole(password);
    WriteStandardOutput("\n");
    if (end == InputEnd::Cancelled) return 1;
    if (end == InputEnd::Unrepresentable) throw Unrepresentable("password");
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
    RestrictLibrarySearch();
    if (argc != 2) return 1;
    try {
        // The name of another account would be a look-alike of this one.
        if (!ArgumentsAreExact(argc, argv)) throw Unrepresentable("user name");
        return ChangePassword(argv[1]);
    } catch (const RvWinException& error) {
        WriteStandardOutput(error.message() + "\n");
        return 1;
    } catch (const std::exception& error) {
        WriteStandardOutput(error.what() + std::string("\n"));
        return 1;
    }
}
