#include "AccountCommand.h"
#include "ElevatedStart.h"
#include "Harness.h"
#include "RvWinException.h"
#include "WinHandle.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

std::string Parameters(const std::string& name, const std::string& secret)
{
    SecretText password;
    for (char c : secret) password.Append(c);
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

std::string Refusal(void (*check)(const std::string&), const std::string& text)
{
    return Failure([&] { check(text); });
}

TEST(AccountCommand, ParametersQuoteNameAndPasswordAsOneArgumentEach)
{
    EXPECT_EQ("user bob secret", Parameters("bob", "secret"));
    EXPECT_EQ("user \"bob smith\" \"two words\"", Parameters("bob smith", "two words"));
    EXPECT_EQ("user \"\" x", Parameters("", "x"));
    EXPECT_EQ("user \"a\\\"b\" \"p\\\\\\\"q\\\\\"", Parameters("a\"b", "p\\\"q\\"));
    EXPECT_EQ("user 管理者 パス", Parameters("管理者", "パス"));
    // Past 14 characters, /Y answers net.exe's question; characters, not bytes.
    EXPECT_EQ("user bob \"abcdefghijkl m\"", Parameters("bob", "abcdefghijkl m")); // quotes do not count
    EXPECT_EQ("user bob パスワードパスワード表", Parameters("bob", "パスワードパスワード表"));
    EXPECT_EQ("user bob パスワードパスワードパスワード /Y", Parameters("bob", "パスワードパスワードパスワード"));
}

TEST(AccountCommand, LaunchRecord)
{
    const SHELLEXECUTEINFOA record = NetUserLaunchRecord("user bob secret");
    EXPECT_EQ(60u, record.cbSize);
    EXPECT_EQ(0x540u, record.fMask);
    EXPECT_EQ(GetConsoleWindow(), record.hwnd);
    EXPECT_STREQ("runas", record.lpVerb);
    EXPECT_STREQ("C:\\Windows\\System32\\net.exe", record.lpFile);
    EXPECT_STREQ("user bob secret", record.lpParameters);
    EXPECT_STREQ("C:\\Windows\\System32", record.lpDirectory);
    EXPECT_EQ(0, record.nShow);
    EXPECT_EQ(nullptr, record.hInstApp);
    EXPECT_EQ(nullptr, record.hProcess);
}

TEST(AccountCommand, RefusesWhatNetExeWouldTakeAsAnOption)
{
    const std::string badName = "user name must not begin with '/'.";
    const std::string badPassword = "password must not begin with '/' or be '*'.";
    EXPECT_EQ(badName, Refusal(RefuseUserName, "/delete"));
    EXPECT_EQ(badName, Refusal(RefuseUserName, "/"));
    EXPECT_EQ("", Refusal(RefuseUserName, "bob/x"));
    EXPECT_EQ("", Refusal(RefuseUserName, ""));
    EXPECT_EQ("", Refusal(RefuseUserName, "*"));
    EXPECT_EQ(badPassword, Refusal(RefusePassword, "/delete"));
    EXPECT_EQ(badPassword, Refusal(RefusePassword, "*"));
    EXPECT_EQ("", Refusal(RefusePassword, "**"));
    EXPECT_EQ("", Refusal(RefusePassword, "a/b"));
    EXPECT_EQ("", Refusal(RefusePassword, " /x"));
}

TEST(AccountCommand, AccountToolThatDoesNotFinishIsEndedAndReported)
{
    // The recorder stands in for net.exe, started as tamrel starts it, and
    // does not end until it is ended.
    const std::string folder = "C:\\velk-unit\\AccountTool";
    const std::string log = folder + "\\record.txt";
    MakeFreshDirectory(folder);
    SetEnvironmentVariableA("RECORDER_LOG", log.c_str());
    SetEnvironmentVariableA("RECORDER_WAIT", "forever");
    const std::string recorder = BinDirectory() + "\\recorder.exe";
    SHELLEXECUTEINFOA record = MakeElevatedLaunchRecord(recorder.c_str(), "user bob secret", folder.c_str(), SW_HIDE);
    const Handle process = StartElevated(record);
    SetEnvironmentVariableA("RECORDER_WAIT", nullptr);
    SetEnvironmentVariableA("RECORDER_LOG", nullptr);
    ASSERT_TRUE(process.valid());
    EXPECT_TRUE(WaitForFile(log, 30000));

    const std::string timeout = "net.exe did not finish within 60 seconds.";
    EXPECT_EQ(timeout, Failure([&] { AwaitAccountTool(process.get(), 100); }));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.get(), 0)) << "still running";
    TerminateProcess(process.get(), 1);

    // No process at all: nothing is known of the password.
    EXPECT_EQ("net.exe was started, but tamrel cannot tell whether the password was changed.",
              Failure([&] { AwaitAccountTool(nullptr, 10); }));

    // An event never ends, and cannot be ended.
    Handle neverEnds(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    EXPECT_EQ(timeout + "\nnet.exe is still running and may yet change the password.",
              Failure([&] { AwaitAccountTool(neverEnds.get(), 10); }));
}

} // namespace
