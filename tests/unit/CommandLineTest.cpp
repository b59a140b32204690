#include "AnsiText.h"
#include "CommandLine.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLine, QuotesByTheWindowsRules)
{
    struct Case {
        std::wstring argument;
        std::wstring expected;
    };
    const Case cases[] = {
        {L"plain", L"plain"},
        {L"C:\\path\\", L"C:\\path\\"},             // no quoting needed: backslashes as they are
        {L"", L"\"\""},
        {L"b c", L"\"b c\""},
        {L"tab\there", L"\"tab\there\""},
        {L"new\nline", L"\"new\nline\""},
        {L"v\vtab", L"\"v\vtab\""},
        {L"say \"hi\"", L"\"say \\\"hi\\\"\""},
        {L"\"", L"\"\\\"\""},
        {L"a\\\"b", L"\"a\\\\\\\"b\""},              // a\"b: the backslash before the quote doubles
        {L"dir with\\", L"\"dir with\\\\\""},        // trailing backslash before the closing quote
        {L"a\\\\b c", L"\"a\\\\b c\""},              // backslashes elsewhere stay single
        {L"C:\\フォルダ ソ", L"\"C:\\フォルダ ソ\""},
        {L"全角\x3000空白", L"\"全角\x3000空白\""}, // any white space: U+3000, U+00A0, line ends
        {L"a\xA0" L"b", L"\"a\xA0" L"b\""},
        {L"a\rb", L"\"a\rb\""},
    };
    for (const Case& c : cases) {
        std::wstring line;
        AppendQuotedArgument(line, c.argument);
        EXPECT_EQ(c.expected, line) << ToExactAnsi(c.argument).value_or("?");
    }
}

TEST(CommandLine, BatchFileArgumentsAreQuotedForCmd)
{
    const auto quoted = [](const std::wstring& argument) {
        EXPECT_TRUE(BatchFileCanReceive(argument));
        std::wstring line;
        AppendBatchArgument(line, argument);
        EXPECT_EQ(line != argument, BatchArgumentNeedsQuotes(argument));
        return line;
    };
    for (wchar_t special : std::wstring(L" \t&|<>^(),;=!")) {
        const std::wstring argument = std::wstring(L"a") + special + L"b";
        EXPECT_EQ(L'"' + argument + L'"', quoted(argument));
    }
    EXPECT_EQ(L"plain", quoted(L"plain"));
    EXPECT_EQ(L"C:\\path\\", quoted(L"C:\\path\\"));
    EXPECT_EQ(L"\"\"", quoted(L""));
    EXPECT_EQ(L"\"dir with\\\\\"", quoted(L"dir with\\"));
    EXPECT_EQ(L"\"フォルダ ソ\"", quoted(L"フォルダ ソ"));
    for (const wchar_t* argument : {L"a\"b", L"%PATH%", L"100%", L"a\nb", L"a\rb", L"\""}) {
        EXPECT_FALSE(BatchFileCanReceive(argument));
    }
}

// The one command that cmd.exe runs a batch file with: the folder and the
// file each quoted, the whole in the one pair of quotes that /s takes away.
TEST(CommandLine, BatchCommandLineIsOneQuotedCommand)
{
    EXPECT_EQ(L"/d /e:on /v:off /s /c \"pushd \"C:\\t\" && \"C:\\t\\run.bat\" a \"b c\"\"",
              BatchCommandLine(L"C:\\t", L"C:\\t\\run.bat", L"a \"b c\""));
    EXPECT_EQ(L"/d /e:on /v:off /s /c \"pushd \"C:\\\" && \"C:\\Program Files (x86)\\A&B\\run.cmd\"\"",
              BatchCommandLine(L"C:\\", L"C:\\Program Files (x86)\\A&B\\run.cmd", L""));
    EXPECT_EQ(L"/d /e:on /v:off /s /c \"pushd \"\\\\server\\share\" && \"\\\\server\\share\\run.bat\" x\"",
              BatchCommandLine(L"\\\\server\\share", L"\\\\server\\share\\run.bat", L"x"));
}

TEST(CommandLine, SplitsAsTheRuntimeDoes)
{
    struct Case {
        std::wstring line;
        std::vector<std::wstring> words;
    };
    const Case cases[] = {
        {L"velk.exe a  b", {L"velk.exe", L"a", L"b"}},
        {L"\"C:\\Program Files\\velk.exe\" a", {L"C:\\Program Files\\velk.exe", L"a"}},
        {L"C:\\a\\velk.exe\t\"\"", {L"C:\\a\\velk.exe", L""}},
        {L"v \"C:\\Program Files\"\\x\\t.exe b", {L"v", L"C:\\Program Files\\x\\t.exe", L"b"}},
        {L"v a\\\\\"b c\" d", {L"v", L"a\\b c", L"d"}},   // 2n backslashes and a quote: n, grouping
        {L"v a\\\\\\\"b c", {L"v", L"a\\\"b", L"c"}},   // 2n+1: n and a quote
        {L"v a\\\\b", {L"v", L"a\\\\b"}},               // none before a quote: as they are
        {L"v \"a\"\"b\" c", {L"v", L"a\"b", L"c"}},        // two quotes inside quotes: one
        {L"v NAME=\"a b\" \t", {L"v", L"NAME=a b"}},
        {L"v", {L"v"}},
    };
    for (const Case& c : cases) {
        std::vector<std::wstring> words;
        for (const CommandLineWord& word : SplitCommandLine(c.line)) words.push_back(word.text);
        EXPECT_EQ(c.words, words) << ToExactAnsi(c.line).value_or("?");
    }
    // Where each word stands: what follows the second is the rest as typed.
    const std::wstring line = L"velk  wait \"C:\\t\"\\x.exe  /i \"a\"  ";
    const std::vector<CommandLineWord> words = SplitCommandLine(line);
    ASSERT_EQ(5u, words.size());
    EXPECT_EQ(L"C:\\t\\x.exe", words[2].text);
    EXPECT_EQ(L"/i \"a\"  ", line.substr(words[3].begin));
    EXPECT_EQ(line.size() - 2, words[4].end);
}

TEST(CommandLine, AppendsToWhatIsThere)
{
    std::wstring line = L"user ";
    AppendQuotedArgument(line, L"bob smith");
    EXPECT_EQ(L"user \"bob smith\"", line);
}

} // namespace
