#include "AnsiText.h"

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

// Windows' own conversion gives a look-alike for these; the exact one gives
// nothing. (The index file's lines are converted so.)
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
    // UTF-8 too: half a character has no form there either.
    EXPECT_FALSE(ToExactCodePage(L"a\xD83D", CP_UTF8).has_value());
    EXPECT_EQ("caf\xC3\xA9", ToExactCodePage(L"caf\u00E9", CP_UTF8).value_or("?"));
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

// What a pipe gets: ? for each character that CP932 lacks, and only for it.
TEST(AnsiText, MarkedConversionMarksEachMissingCharacterAlone)
{
    struct Case {
        std::wstring text;
        std::string bytes;
    };
    const Case cases[] = {
        {L"山田", "山田"},
        {L"Jos\u00E9", "Jos?"},
        {L"\U00020BB7田", "?田"},
        {L"\xD800" L"abc", "?abc"}, // half a character, and the one after it kept
        {L"a\xDC00" L"b\xD800", "a?b?"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.bytes, ToCodePageMarked(c.text, 932)) << c.bytes;
}

} // namespace
