#include "AnsiText.h"
#include "CommandLine.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLine, QuotesByTheWindowsRules)
{
    struct Case {
        std::string argument;
        std::string expected;
    };
    const Case cases[] = {
        {"plain", "plain"},
        {"C:\\path\\", "C:\\path\\"},             // no quoting needed: backslashes as they are
        {"", "\"\""},
        {"b c", "\"b c\""},
        {"tab\there", "\"tab\there\""},
        {"new\nline", "\"new\nline\""},
        {"v\vtab", "\"v\vtab\""},
        {"say \"hi\"", "\"say \\\"hi\\\"\""},
        {"\"", "\"\\\"\""},
        {"a\\\"b", "\"a\\\\\\\"b\""},              // a\"b: the backslash before the quote doubles
        {"dir with\\", "\"dir with\\\\\""},        // trailing backslash before the closing quote
        {"a\\\\b c", "\"a\\\\b c\""},              // backslashes elsewhere stay single
        {"ソ b", "\"ソ b\""},                      // trail byte 5C is not a backslash
        {"C:\\ソ", "C:\\ソ"},
        {"C:\\フォルダ ソ", "\"C:\\フォルダ ソ\""}, // ソ before the closing quote
        {"ソ\"", "\"ソ\\\"\""},                   // ソ before an inner quote
    };
    for (const Case& c : cases) {
        std::string line;
        AppendQuotedArgument(line, c.argument);
        EXPECT_EQ(c.expected, line) << c.argument;
    }
}

TEST(CommandLine, BatchFileArgumentsAreQuotedForCmd)
{
    const auto quoted = [](const std::string& argument) {
        EXPECT_TRUE(BatchFileCanReceive(argument)) << argument;
        std::string line;
        AppendBatchArgument(line, argument);
        return line;
    };
    for (char special : std::string(" \t&|<>^(),;=!")) {
        const std::string argument = std::string("a") + special + "b";
        EXPECT_EQ('"' + argument + '"', quoted(argument)) << argument;
    }
    EXPECT_EQ("plain", quoted("plain"));
    EXPECT_EQ("C:\\path\\", quoted("C:\\path\\"));
    EXPECT_EQ("\"\"", quoted(""));
    EXPECT_EQ("\"dir with\\\\\"", quoted("dir with\\"));
    EXPECT_EQ("\x83\x7C\x95\x5E", quoted("\x83\x7C\x95\x5E")); // trail bytes | and ^ are no characters of cmd's
    EXPECT_EQ("\"フォルダ ソ\"", quoted("フォルダ ソ"));
    for (const char* argument : {"a\"b", "%PATH%", "100%", "a\nb", "a\rb", "\""}) {
        EXPECT_FALSE(BatchFileCanReceive(argument)) << argument;
    }
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
    std::string line = "user ";
    AppendQuotedArgument(line, "bob smith");
    EXPECT_EQ("user \"bob smith\"", line);
}

} // namespace
