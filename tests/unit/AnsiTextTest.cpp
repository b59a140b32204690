#include "AnsiText.h"
#include "StandardOutput.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

// The tests run with the ANSI code page 932, as the programs' users do.
TEST(AnsiText, CodePageIs932)
{
    EXPECT_EQ(932u, GetACP());
}

TEST(AnsiText, FindLastCharacterStepsOverTrailBytes)
{
    struct Case {
        std::string text;
        std::size_t expected;
    };
    const Case cases[] = {
        {"C:\\Tools\\tool.exe", 8},
        {"tool.exe", std::string::npos},
        {"", std::string::npos},
        {"C:\\ソフト\\tool.exe", 9},    // ソ is 83 5C
        {"C:\\ソ", 2},                  // the trail 5C at the end is no backslash
        {"C:\\表", 2},                  // 表 is 95 5C
        {"C:\\\x83", 2},                // a lead byte at the very end stands alone
        {"\x83\\\\", 2},                // lead + trail, then a real backslash
    };
    for (const Case& c : cases) EXPECT_EQ(c.expected, FindLastCharacter(c.text, '\\')) << c.text;
}

} // namespace

TEST(StandardOutput, LineEndsAsTextModeWritesThem)
{
    EXPECT_EQ("", WithCrLf(""));
    EXPECT_EQ("\r\n", WithCrLf("\n"));
    // Every line feed gains its CR, also one that has a CR already.
    EXPECT_EQ("a\r\n\r\nb\r\r\nc", WithCrLf("a\n\nb\r\nc"));
}
