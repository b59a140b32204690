#include "WindowsMessage.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kPrefix = "エラーコード : ";

TEST(WindowsMessage, ComposesPrefixCodeFullWidthSpaceAndCutText)
{
    struct Case {
        DWORD code;
        std::wstring systemText;
        std::string expected;
    };
    const Case cases[] = {
        // The CR LF that ends a system text goes.
        {5, L"Access is denied.\r\n", kPrefix + "5\x81\x40" "Access is denied."},
        // Inner line breaks stay; only the final one goes.
        {7, L"line one\r\nline two\r\n", kPrefix + "7\x81\x40" "line one\r\nline two"},
        // Nothing to cut among the last three bytes: the text stays whole.
        {0, L"no break", kPrefix + "0\x81\x40" "no break"},
        // A lone LF at the end goes too.
        {2, L"found\n", kPrefix + "2\x81\x40" "found"},
        // Texts shorter than three bytes are searched from their start.
        {1, L"\r\n", kPrefix + "1\x81\x40"},
        {1, L"ab", kPrefix + "1\x81\x40" "ab"},
        // Codes with the top bit set print unsigned.
        {0xFFFFFFFFu, L"x\r\n", kPrefix + "4294967295\x81\x40" "x"},
        {0x80070005u, L"x\r\n", kPrefix + "2147942405\x81\x40" "x"},
        // %1 is the insert; other inserts are empty; a lone % stays.
        {193, L"%1 is bad; %2 and %1!s! and %12 at 100%\r\n", kPrefix + "193\x81\x40" "x.exe is bad;  and x.exe and  at 100%"},
        // Characters that CP932 lacks are '?' in the bytes, never a look-alike.
        {5, L"caf\u00E9 \u00A5 \U0001F600\r\n", kPrefix + "5\x81\x40" "caf? ? ?"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, ComposeErrorMessage(c.code, c.systemText.c_str(), c.systemText.size(), L"x.exe").Bytes())
            << c.expected;
    }
}

TEST(WindowsMessage, PrefixIsTheCp932Bytes)
{
    EXPECT_EQ(std::string("\x83\x47\x83\x89\x81\x5B\x83\x52\x81\x5B\x83\x68\x20\x3A\x20"), kPrefix);
}

} // namespace
