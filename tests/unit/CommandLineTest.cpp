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

TEST(CommandLine, AppendsToWhatIsThere)
{
    std::string line = "user ";
    AppendQuotedArgument(line, "bob smith");
    EXPECT_EQ("user \"bob smith\"", line);
}

} // namespace
