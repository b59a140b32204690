#include "AccountCommand.h"
#include "RvWinException.h"
#include "WinHandle.h"

#include <gtest/gtest.h>

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

std::string Refusal(void (*check)(const std::string&), const std::string& text)
{
    try {
        check(text);
        return "";
    } catch (const RvWinException& error) {
        return error.message();
    }
}

TEST(AccountCommand, ParametersQuoteNameAndPasswordAsOneArgumentEach)
{
    EXPECT_EQ("user bob secret", Parameters("bob", "secret"));
    EXPECT_EQ("user \"bob smith\" \"two words\"", Parameters("bob smith", "two words"));
    EXPECT_EQ("user \"\" x", Parameters("", "x"));
    EXPECT_EQ("user \"a\\\"b\" \"p\\\\\\\"q\\\\\"", Parameters("a\"b", "p\\\"q\\"));
    EXPECT_EQ("user 管理者 パス", Parameters("管理者", "パス"));
}

TEST(AccountCommand, LaunchRecord)
{
    const SHELLEXECUTEINFOA record = NetUserLaunchRecord("user bob secret");
    EXPECT_EQ(60u, record.cbSize);
    EXPECT_EQ(0x40u, record.fMask);
    EXPECT_EQ(nullptr, record.hwnd);
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

TEST(AccountCommand, AccountToolThatDoesNotFinishIsReported)
{
    // An event that is never set stands for a process that never ends.
    Handle neverEnds(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    try {
        AwaitAccountTool(neverEnds.get(), 10);
        FAIL();
    } catch (const RvWinException& error) {
        EXPECT_EQ("net.exe did not finish within 60 seconds.", error.message());
    }
}

} // namespace
