#include "AnsiText.h"
#include "CommandLine.h"
#include "ElevatedCommand.h"
#include "ElevatedStart.h"
#include "Harness.h"
#include "RvWinException.h"

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

// A batch file starts as cmd.exe with a line of velk's own, which runs it
// in its working folder; a shortcut, which may lead to a batch file that
// Windows' own verb runs, gets no argument that needs quotes.
TEST(ElevatedCommand, BatchFileStartsThroughTheCommandProcessor)
{
    const std::string folder = TestFolder();
    MakeFreshDirectory(folder);
    WriteFileBytes(folder + "\\run.bat", "@echo off\r\n");
    WriteFileBytes(folder + "\\go.lnk", "x");
    const std::wstring wide = ToWide(folder);
    const ElevatedCommand batch = Command({L"velk.exe", wide + L"\\run.bat", L"a b", L"&"});
    const SHELLEXECUTEINFOW record = LaunchRecord(batch);
    EXPECT_STREQ(L"C:\\Windows\\System32\\cmd.exe", record.lpFile);
    EXPECT_EQ(L"/d /e:on /v:off /s /c \"pushd \"" + wide + L"\" && \"" + wide + L"\\run.bat\" \"a b\" \"&\"\"",
              record.lpParameters);
    EXPECT_EQ(wide, record.lpDirectory);

    const ElevatedCommand shortcut = Command({L"velk.exe", wide + L"\\go.lnk", L"a"});
    EXPECT_EQ(wide + L"\\go.lnk", LaunchRecord(shortcut).lpFile);
    EXPECT_STREQ(L"a", LaunchRecord(shortcut).lpParameters);
    for (const wchar_t* argument : {L"a b", L"", L"a&b", L"x^y"}) {
        try {
            Command({L"velk.exe", wide + L"\\go.lnk", argument});
            ADD_FAILURE() << "no refusal";
        } catch (const RvWinException& refusal) {
            EXPECT_EQ("ショートカットには、引用符が必要な引数 (空の引数や、空白や & | < > ^ ( ) , ; = ! を含む引数) を渡せません。",
                      refusal.message());
            EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), refusal.code());
        }
    }
}

TEST(ElevatedCommand, EmptyDirectoryIsPassedAsText)
{
    const SHELLEXECUTEINFOW record = MakeElevatedLaunchRecord(L"x.exe", nullptr, L"", SW_SHOW);
    ASSERT_NE(nullptr, record.lpDirectory);
    EXPECT_STREQ(L"", record.lpDirectory);
}

} // namespace
