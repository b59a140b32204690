#include "RvWinException.h"

#include "Harness.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kPrefix = "エラーコード : ";

TEST(RvWinException, ComposesPrefixCodeFullWidthSpaceAndCutText)
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

TEST(RvWinException, PrefixIsTheCp932Bytes)
{
    EXPECT_EQ(std::string("\x83\x47\x83\x89\x81\x5B\x83\x52\x81\x5B\x83\x68\x20\x3A\x20"), kPrefix);
}

TEST(RvWinException, TextConstructorKeepsTheTextByteForByte)
{
    const char text[] = "指定されたファイルが見つかりません。";
    EXPECT_EQ(std::string(text), RvWinException(text).message());
}

TEST(RvWinException, SystemTextForACodeIsWindowsOwnWithoutTheFinalLineBreak)
{
    // In the system's language: Japanese in the test prefix.
    const std::string message = RvWinException(DWORD{2}).message();
    EXPECT_EQ(kPrefix + "2\x81\x40" + WindowsText(2), message);
    EXPECT_EQ(std::string::npos, message.find('\n')) << message;
}

TEST(RvWinException, SystemTextWithAnInsertNamesTheFile)
{
    // The text for 193 holds %1, which Windows' own dialogs fill with the
    // file's name.
    const std::string message = RvWinException(DWORD{193}, L"C:\\t\\bad.exe").message();
    EXPECT_EQ(0u, message.find(kPrefix + "193\x81\x40")) << message;
    EXPECT_NE(std::string::npos, message.find("C:\\t\\bad.exe")) << message;
    EXPECT_EQ(std::string::npos, message.find('%')) << message;
    EXPECT_EQ(std::string::npos, message.find('\n')) << message;
}

TEST(RvWinException, DefaultConstructorReadsTheLastError)
{
    SetLastError(ERROR_ACCESS_DENIED);
    EXPECT_EQ(RvWinException(DWORD{ERROR_ACCESS_DENIED}).message(), RvWinException().message());
}

TEST(RvWinException, CodeWithoutSystemTextThrowsTheLookupFailure)
{
    // The message names the lookup's own error (317: no text for the id);
    // the code for a script is the one that was asked for.
    try {
        RvWinException unknown(DWORD{0x2000FFFFu});
        FAIL() << "no exception: " << unknown.message();
    } catch (const RvWinException& failure) {
        EXPECT_EQ(std::string("エラーメッセージ取得時にエラーが発生しました。\n") + kPrefix + "317", failure.message());
        EXPECT_EQ(0x2000FFFFu, failure.code());
        EXPECT_EQ(-1, failure.exitStatus());
    }
}

} // namespace
