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
// nothing. The index file's lines are converted so, in the system's code
// page: 932 on the systems the programs are made for, 1252 on an English
// Windows. Both are shown whatever this system's is, and the ANSI form is
// the one of this system's.
TEST(AnsiText, ExactConversionRefusesEveryLookAlike)
{
    struct Case {
        std::wstring text;
        const char* cp932; // nullptr: no exact form
        const char* cp1252;
    };
    const Case cases[] = {
        {L"", "", ""},
        {L"C:\\Tools\\tool.exe", "C:\\Tools\\tool.exe", "C:\\Tools\\tool.exe"},
        {L"C:\\ソフト表\\パス", "C:\\ソフト表\\パス", nullptr},
        {L"ｶﾅ", "ｶﾅ", nullptr}, // half-width katakana: single bytes
        {L"café", nullptr, "caf\xE9"},              // é would become e
        {L"a\u00A5", nullptr, "a\xA5"},              // ¥ would become the backslash
        {L"a\u00A6b", nullptr, "a\xA6" "b"},         // ¦ would become |
        {L"\u00ADdelete-all", nullptr, "\xAD" "delete-all"}, // the soft hyphen would become -
        {L"M\u00FCller", nullptr, "M\xFCller"},      // ü would become u
        {L"\u301C", nullptr, nullptr},               // the wave dash would become the full-width tilde's bytes
        {L"\u0101", nullptr, nullptr},               // ā would become a
        {L"\U0001F600", nullptr, nullptr},           // beyond 16 bits: ?
        {L"\xD83D", nullptr, nullptr},               // half a character
    };
    // UTF-8 too: half a character has no form there either.
    EXPECT_FALSE(ToExactCodePage(L"a\xD83D", CP_UTF8).has_value());
    EXPECT_EQ("caf\xC3\xA9", ToExactCodePage(L"caf\u00E9", CP_UTF8).value_or("?"));
    const unsigned system = GetACP();
    ASSERT_TRUE(system == 932 || system == 1252) << system;
    for (const Case& c : cases) {
        for (const unsigned codePage : {932u, 1252u, 0u /* the ANSI code page */}) {
            const char* expected = (codePage == 0 ? system : codePage) == 932 ? c.cp932 : c.cp1252;
            const std::optional<std::string> exact =
                codePage == 0 ? ToExactAnsi(c.text) : ToExactCodePage(c.text, codePage);
            if (expected == nullptr) {
                EXPECT_FALSE(exact.has_value()) << codePage << ": " << *exact;
            } else {
                ASSERT_TRUE(exact.has_value()) << codePage << ": " << expected;
                EXPECT_EQ(expected, *exact) << codePage;
            }
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
