#include "CommandLine.h"
#include "ElevatedCommand.h"
#include "ElevatedStart.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::wstring ThisProgram()
{
    wchar_t path[MAX_PATH];
    return std::wstring(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
}

// velk's command line with these arguments, each quoted where it needs it.
ElevatedCommand Command(const std::vector<std::wstring>& arguments)
{
    std::wstring line;
    for (const std::wstring& argument : arguments) {
        if (!line.empty()) line += L' ';
        AppendQuotedArgument(line, argument);
    }
    return PrepareCommand(ParseInvocation(line), L"C:\\", ReadPathEntries());
}

void ExpectFixedFields(const SHELLEXECUTEINFOW& record)
{
    EXPECT_EQ(60u, record.cbSize);
    // The console's window owns it.
    EXPECT_EQ(GetConsoleWindow(), record.hwnd);
    EXPECT_STREQ(L"runas", record.lpVerb);
    EXPECT_EQ(nullptr, record.hInstApp);
    EXPECT_EQ(nullptr, record.lpIDList);
    EXPECT_EQ(nullptr, record.lpClass);
    EXPECT_EQ(nullptr, record.hkeyClass);
    EXPECT_EQ(0u, record.dwHotKey);
    EXPECT_EQ(nullptr, record.hIcon);
    EXPECT_EQ(nullptr, record.hProcess);
}

TEST(ElevatedCommand, CommandPromptHasNoParameters)
{
    const ElevatedCommand command = Command({L"velk.exe", L"su", L"/k", L"dir"});
    const SHELLEXECUTEINFOW record = LaunchRecord(command);
    ExpectFixedFields(record);
    EXPECT_STREQ(L"C:\\Windows\\System32\\cmd.exe", record.lpFile);
    EXPECT_STREQ(L"C:\\Windows\\System32", record.lpDirectory);
    EXPECT_EQ(nullptr, record.lpParameters);
    EXPECT_EQ(SW_SHOW, record.nShow);
}

TEST(ElevatedCommand, TargetCarriesItsQuotedArguments)
{
    const std::wstring self = ThisProgram();
    const ElevatedCommand command = Command({L"velk.exe", self, L"a", L"b c", L"", L"d"});
    const SHELLEXECUTEINFOW record = LaunchRecord(command);
    ExpectFixedFields(record);
    EXPECT_EQ(self, record.lpFile);
    EXPECT_EQ(self.substr(0, self.rfind(L'\\')), record.lpDirectory);
    EXPECT_STREQ(L"a \"b c\" \"\" d", record.lpParameters);
    EXPECT_EQ(5, record.nShow);
}

TEST(ElevatedCommand, TargetWithoutArgumentsPassesNoParameters)
{
    const ElevatedCommand command = Command({L"velk.exe", ThisProgram()});
    EXPECT_EQ(nullptr, LaunchRecord(command).lpParameters);
}

TEST(ElevatedCommand, EmptyDirectoryIsPassedAsText)
{
    const SHELLEXECUTEINFOW record = MakeElevatedLaunchRecord(L"x.exe", nullptr, L"", SW_SHOW);
    ASSERT_NE(nullptr, record.lpDirectory);
    EXPECT_STREQ(L"", record.lpDirectory);
}

} // namespace
