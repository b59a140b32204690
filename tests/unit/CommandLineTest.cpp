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
    struct Case {
        std::string argument;
        std::string expected;
    };
    const Case cases[] = {
        {"plain", "plain"},
        {"C:\\path\\", "C:\\path\\"},
        {"", "\"\""},
        {"b c", "\"b c\""},
        {"dir with\\", "\"dir with\\\\\""},
        {"a&b", "\"a&b\""},
        {"a|b", "\"a|b\""},
        {"<in>", "\"<in>\""},
        {"^(x)", "\"^(x)\""},
        {"a,b", "\"a,b\""},
        {"a;b", "\"a;b\""},
        {"k=v", "\"k=v\""},
        {"hi!", "\"hi!\""},
        {"ソ表", "ソ表"},                 // trail bytes 5C, 7C and 5E are no characters of cmd's
        {"\x83\x7C\x83\x5E", "\x83\x7C\x83\x5E"},
        {"フォルダ ソ", "\"フォルダ ソ\""},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(BatchFileCanReceive(c.argument)) << c.argument;
        std::string line;
        AppendBatchArgument(line, c.argument);
        EXPECT_EQ(c.expected, line) << c.argument;
    }
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
