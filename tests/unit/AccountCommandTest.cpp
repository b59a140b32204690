#include "AccountCommand.h"
#include "AnsiText.h"
#include "ElevatedStart.h"
#include "Harness.h"
#include "RvWinException.h"
#include "WinHandle.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

std::wstring Parameters(const std::wstring& name, const std::wstring& secret)
{
    SecretText password;
    for (wchar_t c : secret) password.Append(c);
    SecretText parameters;
    BuildNetUserParameters(parameters, name, password);
    return parameters.Text();
}

// The message of the RvWinException that action throws, or "".
std::string Failure(const std::function<void()>& action)
{
    try {
        action();
        return "";
    } catch (const RvWinException& error) {
        return error.message();
    }
}

std::string Refusal(void (*check)(const std::wstring&), const std::wstring& text)
{
    return Failure([&] { check(text); });
}

TEST(AccountCommand, ParametersQuoteNameAndPasswordAsOneArgumentEach)
{
    EXPECT_EQ(L"user bob secret", Parameters(L"bob", L"secret"));
    EXPECT_EQ(L"user \"bob smith\" \"two words\"", Parameters(L"bob smith", L"two words"));
    EXPECT_EQ(L"user \"\" x", Parameters(L"", L"x"));
    EXPECT_EQ(L"user \"a\\\"b\" \"p\\\\\\\"q\\\\\"", Parameters(L"a\"b", L"p\\\"q\\"));
    EXPECT_EQ(L"user 管理者 パス", Parameters(L"管理者", L"パス"));
    EXPECT_EQ(L"user \"山田\x3000太郎\" \"p\xA0w\"", Parameters(L"山田\x3000太郎", L"p\xA0w")); // any white space
    // Past 14 UTF-16 units, as net.exe counts, /Y answers its question.
    EXPECT_EQ(L"user bob \"abcdefghijkl m\"", Parameters(L"bob", L"abcdefghijkl m")); // quotes do not count
    EXPECT_EQ(L"user bob パスワードパスワード表", Parameters(L"bob", L"パスワードパスワード表"));
    EXPECT_EQ(L"user bob パスワードパスワードパスワード /Y", Parameters(L"bob", L"パスワードパスワードパスワード"));
    // A character beyond 16 bits is two units: 7 of them set without /Y, 8 with it.
    std::wstring faces;
    for (int i = 0; i < 7; ++i) faces += L"\U0001F600";
    EXPECT_EQ(L"user \U00020BB7田 " + faces, Parameters(L"\U00020BB7田", faces));
    EXPECT_EQ(L"user bob " + faces + L"\U0001F600 /Y", Parameters(L"bob", faces + L"\U0001F600"));
}

TEST(AccountCommand, LaunchRecord)
{
    const SHELLEXECUTEINFOW record = NetUserLaunchRecord(L"user bob secret");
    EXPECT_EQ(60u, record.cbSize);
    EXPECT_EQ(0x540u, record.fMask);
    EXPECT_EQ(GetConsoleWindow(), record.hwnd);
    EXPECT_STREQ(L"runas", record.lpVerb);
    EXPECT_STREQ(L"C:\\Windows\\System32\\net.exe", record.lpFile);
    EXPECT_STREQ(L"user bob secret", record.lpParameters);
    EXPECT_STREQ(L"C:\\Windows\\System32", record.lpDirectory);
    EXPECT_EQ(0, record.nShow);
    EXPECT_EQ(nullptr, record.hInstApp);
    EXPECT_EQ(nullptr, record.hProcess);
}

TEST(AccountCommand, RefusesWhatNetExeWouldTakeAsAnOption)
{
    const std::string badName = "user name must not begin with '/'.";
    const std::string badPassword = "password must not begin with '/' or be '*'.";
    EXPECT_EQ(badName, Refusal(RefuseUserName, L"/delete"));
    EXPECT_EQ(badName, Refusal(RefuseUserName, L"/"));
    EXPECT_EQ("", Refusal(RefuseUserName, L"bob/x"));
    EXPECT_EQ("user name is empty.", Refusal(RefuseUserName, L""));
    for (const wchar_t* blank : {L" \t ", L"\x3000", L"\x3000\x3000", L"\xA0", L"\n", L"\r\n"}) {
        EXPECT_EQ("user name is empty.", Refusal(RefuseUserName, blank));
    }
    EXPECT_EQ("", Refusal(RefuseUserName, L" x"));
    EXPECT_EQ("", Refusal(RefuseUserName, L"*"));
    EXPECT_EQ("user name has half of a character (an unpaired surrogate).", Refusal(RefuseUserName, L"\xD800" L"abc"));
    EXPECT_EQ("", Refusal(RefuseUserName, L"\U00020BB7田"));
    EXPECT_EQ(badPassword, Refusal(RefusePassword, L"/delete"));
    EXPECT_EQ(badPassword, Refusal(RefusePassword, L"*"));
    EXPECT_EQ("", Refusal(RefusePassword, L"**"));
    EXPECT_EQ("", Refusal(RefusePassword, L"a/b"));
    EXPECT_EQ("", Refusal(RefusePassword, L" /x"));
}

TEST(AccountCommand, AccountToolThatDoesNotFinishIsEndedAndReported)
{
    // The recorder stands in for net.exe, started as tamrel starts it, and
    // does not end until it is ended.
    const std::string folder = TestFolder();
    const std::string log = folder + "\\record.txt";
    MakeFreshDirectory(folder);
    SetEnvironmentVariableA("RECORDER_LOG", log.c_str());
    SetEnvironmentVariableA("RECORDER_WAIT", "forever");
    const std::wstring recorder = ToWide(BinDirectory() + "\\recorder.exe");
    SHELLEXECUTEINFOW record =
        MakeElevatedLaunchRecord(recorder.c_str(), L"user bob secret", ToWide(folder).c_str(), SW_HIDE);
    const Handle process = StartElevated(record);
    SetEnvironmentVariableA("RECORDER_WAIT", nullptr);
    SetEnvironmentVariableA("RECORDER_LOG", nullptr);
    ASSERT_TRUE(process.valid());
    EXPECT_TRUE(WaitForFile(log, 30000));

    const ConsoleInterrupt interrupt;
    const std::string timeout = "net.exe did not finish within 60 seconds.";
    EXPECT_EQ(timeout, Failure([&] { AwaitAccountTool(process.get(), 100, interrupt); }));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.get(), 0)) << "still running";
    TerminateProcess(process.get(), 1);

    // No process at all: nothing is known of the password.
    EXPECT_EQ("net.exe was started, but tamrel cannot tell whether the password was changed.",
              Failure([&] { AwaitAccountTool(nullptr, 10, interrupt); }));

    // An event never ends, and cannot be ended.
    Handle neverEnds(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    EXPECT_EQ(timeout + "\nnet.exe is still running and may yet change the password.",
              Failure([&] { AwaitAccountTool(neverEnds.get(), 10, interrupt); }));

    // Ctrl+C or Ctrl+Break, as the system calls the handler: the wait ends,
    // and so does tamrel, which says that net.exe may yet set the password.
    EXPECT_TRUE(ConsoleInterrupt::OnConsoleEvent(CTRL_BREAK_EVENT));
    EXPECT_EQ("cancelled; net.exe was started and may still change the password.",
              Failure([&] { AwaitAccountTool(neverEnds.get(), INFINITE, interrupt); }));
}

} // namespace
