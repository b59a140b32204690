// tamrel: sets a local account's password through net.exe, elevated.
#include "AccountCommand.h"
#include "CommandLine.h"
#include "ConsoleInterrupt.h"
#include "ElevatedStart.h"
#include "LibrarySearch.h"
#include "PasswordInput.h"
#include "RvWinException.h"
#include "StandardOutput.h"

#include <exception>

namespace {

// One entry: the prompt, the keys up to Enter, then a line end.
InputEnd ReadEntry(const KeySource& keys, const OutputText& prompt, SecretText& password)
{
    WriteStandardOutput(prompt);
    const InputEnd end = ReadPassword(keys, password);
    WriteStandardOutput("\n");
    return end;
}

// "enter NAME's new password : ", the name as the user gave it.
OutputText Prompt(const char* verb, const std::wstring& userName)
{
    return OutputText(verb).Own(" ").Wide(userName).Own("'s new password : ");
}

// The new password and, once it passes the checks that need no second
// entry, the same typed again. The console reads raw for both and has its
// mode back before any verdict is written, also when a console event
// (interrupted) ends the reading.
InputEnd ReadNewPassword(const std::wstring& userName, HANDLE interrupted, SecretText& password, SecretText& retyped)
{
    ConsoleKeys console(interrupted);
    const KeySource keys = [&console] { return console.Next(); };
    const InputEnd end = ReadEntry(keys, Prompt("enter", userName), password);
    if (end != InputEnd::Entered) return end;
    if (password.Text().empty()) throw RvWinException::FromText("password is empty.");
    RefusePassword(password.Text());
    return ReadEntry(keys, Prompt("retype", userName), retyped);
}

int ChangePassword(const std::wstring& userName)
{
    RefuseUserName(userName);
    // Without a console the keys would come from nowhere, or from a pipe
    // that echoes nothing but holds the password in plain text.
    if (!StandardInputIsConsole()) throw RvWinException::FromText("tamrel needs a console to read the password without echo.");
    // From the prompt to the end, Ctrl+C, Ctrl+Break or a closing console
    // ends tamrel through its waits, on this thread, with a line that says
    // whether net.exe was started, and 1: never the system's 0, which a
    // script would read as a password set.
    const ConsoleInterrupt interrupt;
    SecretText password;
    SecretText retyped;
    const InputEnd end = ReadNewPassword(userName, interrupt.event(), password, retyped);
    if (end == InputEnd::Cancelled) throw RvWinException::FromText("cancelled; net.exe was not started, and the password was not changed.");
    if (end == InputEnd::UnpairedSurrogate) throw RvWinException::FromText("password has half of a character (an unpaired surrogate).");
    // A slip of the finger would set a password that nobody knows.
    if (password.Text() != retyped.Text()) throw RvWinException::FromText("passwords do not match.");

    SecretText parameters;
    BuildNetUserParameters(parameters, userName, password);
    SHELLEXECUTEINFOW record = NetUserLaunchRecord(parameters.Text().c_str());
    const Handle process = StartElevated(record);
    const DWORD exitCode = AwaitAccountTool(process.get(), kAccountToolTimeoutSeconds * 1000, interrupt);
    if (exitCode != 0) throw AccountToolFailure(exitCode, userName);
    return 0;
}

} // namespace

// UTF-16 from the command line to net.exe's: any account name that Windows
// holds, whatever the system's code page.
int wmain()
{
    RestrictLibrarySearch();
    const std::string usage = "usage: tamrel USERNAME\n";
    try {
        const std::vector<CommandLineWord> words = SplitCommandLine(GetCommandLineW());
        if (words.size() != 2) {
            WriteStandardOutput(usage);
            return 1;
        }
        if (words[1].text == L"/?") {
            WriteStandardOutput(usage);
            return 0;
        }
        return ChangePassword(words[1].text);
    } catch (const RvWinException& failure) {
        WriteStandardOutput(OutputText(failure.text()).Own("\n"));
        return 1;
    } catch (const std::exception& error) {
        WriteStandardOutput(error.what() + std::string("\n")); // memory or a length ran out
        return 1;
    }
}
