#include "ElevatedCommand.h"
#include "ElevatedStart.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string ThisProgram()
{
    char path[MAX_PATH];
    return std::string(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
}

ElevatedCommand Command(std::vector<std::string> arguments)
{
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(&argument[0]);
    return ElevatedCommand(static_cast<int>(argv.size()), argv.data(), PathContext{"C:\\", "C:\\"});
}

void ExpectFixedFields(const SHELLEXECUTEINFOA& record)
{
    EXPECT_EQ(60u, sizeof record);
    EXPECT_EQ(60u, record.cbSize);
    // NOCLOSEPROCESS | NOASYNC | FLAG_NO_UI; the console's window owns it.
    EXPECT_EQ(0x540u, record.fMask);
    EXPECT_EQ(GetConsoleWindow(), record.hwnd);
    EXPECT_STREQ("runas", record.lpVerb);
    EXPECT_EQ(nullptr, record.hInstApp);
    EXPECT_EQ(nullptr, record.lpIDList);
    EXPECT_EQ(nullptr, record.lpClass);
    EXPECT_EQ(nullptr, record.hkeyClass);
    EXPECT_EQ(0u, record.dwHotKey);
    EXPECT_EQ(nullptr, record.hIcon);
    EXPECT_EQ(nullptr, record.hProcess);
}

TEST(LaunchRecord, CommandPromptHasNoParameters)
{
    const ElevatedCommand command = Command({"velk.exe", "su", "/k", "dir"});
    const SHELLEXECUTEINFOA record = command.LaunchRecord();
    ExpectFixedFields(record);
    EXPECT_STREQ("C:\\Windows\\System32\\cmd.exe", record.lpFile);
    EXPECT_STREQ("C:\\Windows\\System32", record.lpDirectory);
    EXPECT_EQ(nullptr, record.lpParameters);
    EXPECT_EQ(SW_SHOW, record.nShow);
}

TEST(LaunchRecord, TargetCarriesItsQuotedArguments)
{
    const std::string self = ThisProgram();
    const ElevatedCommand command = Command({"velk.exe", self, "a", "b c", "", "d"});
    const SHELLEXECUTEINFOA record = command.LaunchRecord();
    ExpectFixedFields(record);
    EXPECT_EQ(self, record.lpFile);
    EXPECT_EQ(self.substr(0, self.rfind('\\')), record.lpDirectory);
    EXPECT_STREQ("a \"b c\" \"\" d", record.lpParameters);
    EXPECT_EQ(5, record.nShow);
}

TEST(LaunchRecord, TargetWithoutArgumentsPassesNoParameters)
{
    const ElevatedCommand command = Command({"velk.exe", ThisProgram()});
    EXPECT_EQ(nullptr, command.LaunchRecord().lpParameters);
}

TEST(LaunchRecord, HelpRequests)
{
    EXPECT_TRUE(Command({"velk.exe"}).IsHelpRequest());
    EXPECT_TRUE(Command({}).IsHelpRequest());
    EXPECT_TRUE(Command({"velk.exe", "help", "more"}).IsHelpRequest());
    EXPECT_FALSE(Command({"velk.exe", "su"}).IsHelpRequest());
}

TEST(LaunchRecord, EmptyDirectoryIsPassedAsText)
{
    const SHELLEXECUTEINFOA record = MakeElevatedLaunchRecord("x.exe", nullptr, "", SW_SHOW);
    ASSERT_NE(nullptr, record.lpDirectory);
    EXPECT_STREQ("", record.lpDirectory);
}

} // namespace
