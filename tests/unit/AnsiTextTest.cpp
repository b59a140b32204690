#include "AnsiText.h"
#include "ExactArguments.h"
#include "StandardOutput.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

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
    for (const Case& c : cases) EXPECT_EQ(c.expected, FindLastCharacter(c.text, "\\")) << c.text;
}

// Windows' own conversion gives a look-alike for these; the exact one gives
// nothing.
TEST(AnsiText, ExactConversionRefusesEveryLookAlike)
{
    struct Case {
        std::wstring text;
        const char* exact; // nullptr: no exact form
    };
    const Case cases[] = {
        {L"", ""},
        {L"C:\\Tools\\tool.exe", "C:\\Tools\\tool.exe"},
        {L"C:\\ソフト表\\パス", "C:\\ソフト表\\パス"},
        {L"ｶﾅ", "ｶﾅ"}, // half-width katakana: single bytes
        {L"café", nullptr},         // é would become e
        {L"a\u00A5", nullptr},      // ¥ would become the backslash
        {L"a\u00A6b", nullptr},     // ¦ would become |
        {L"\u00ADdelete-all", nullptr}, // the soft hyphen would become -
        {L"M\u00FCller", nullptr},  // ü would become u
        {L"\u301C", nullptr},       // the wave dash would become the full-width tilde's bytes
        {L"\U0001F600", nullptr},   // beyond 16 bits: ?
        {L"\xD83D", nullptr},       // half a character
    };
    for (const Case& c : cases) {
        const std::optional<std::string> exact = ToExactAnsi(c.text);
        if (c.exact == nullptr) {
            EXPECT_FALSE(exact.has_value()) << *exact;
        } else {
            ASSERT_TRUE(exact.has_value()) << c.exact;
            EXPECT_EQ(c.exact, *exact);
        }
    }
}

TEST(ExactArguments, ArgumentsAfterTheProgramMustBeTheGivenOnes)
{
    struct Case {
        const char* what;
        std::vector<std::wstring> given;
        std::vector<std::string> argv;
        bool exact;
    };
    const Case cases[] = {
        {"the same", {L"velk.exe", L"tool.exe", L"ソ"}, {"velk.exe", "tool.exe", "ソ"}, true},
        {"the program's own path does not count", {L"C:\\na\u00EFve\\velk.exe", L"help"},
         {"C:\\naive\\velk.exe", "help"}, true},
        {"an argument without a form", {L"velk.exe", L"a\u00A5"}, {"velk.exe", "a\\"}, false},
        {"argv split otherwise", {L"velk.exe", L"a b"}, {"velk.exe", "a", "b"}, false},
        {"argv differs", {L"velk.exe", L"a"}, {"velk.exe", "b"}, false},
    };
    for (const Case& c : cases) {
        std::vector<std::string> argv = c.argv;
        std::vector<char*> pointers;
        for (std::string& argument : argv) pointers.push_back(&argument[0]);
        EXPECT_EQ(c.exact, ArgumentsMatch(c.given, static_cast<int>(pointers.size()), pointers.data())) << c.what;
    }
}

} // namespace

TEST(StandardOutput, LineEndsAsTextModeWritesThem)
{
    EXPECT_EQ("", WithCrLf(""));
    EXPECT_EQ("\r\n", WithCrLf("\n"));
    // Every line feed gains its CR, also one that has a CR already.
    EXPECT_EQ("a\r\n\r\nb\r\r\nc", WithCrLf("a\n\nb\r\nc"));
}
