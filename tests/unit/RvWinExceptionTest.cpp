#include "RvWinException.h"

#include "Harness.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kPrefix = "エラーコード : ";

TEST(RvWinException, FromTextKeepsTheTextByteForByte)
{
    const char text[] = "指定されたファイルが見つかりません。";
    EXPECT_EQ(std::string(text), RvWinException::FromText(text).message());
}

TEST(RvWinException, SystemTextForACodeIsWindowsOwnWithoutTheFinalLineBreak)
{
    // In the system's language: Japanese in the test prefix.
    const std::string message = RvWinException::FromCode(2).message();
    EXPECT_EQ(kPrefix + "2\x81\x40" + WindowsText(2), message);
    EXPECT_EQ(std::string::npos, message.find('\n')) << message;
}

TEST(RvWinException, SystemTextWithAnInsertNamesTheFile)
{
    // The text for 193 holds %1, which Windows' own dialogs fill with the
    // file's name.
    const std::string message = RvWinException::FromCode(193, L"C:\\t\\bad.exe").message();
    EXPECT_EQ(0u, message.find(kPrefix + "193\x81\x40")) << message;
    EXPECT_NE(std::string::npos, message.find("C:\\t\\bad.exe")) << message;
    EXPECT_EQ(std::string::npos, message.find('%')) << message;
    EXPECT_EQ(std::string::npos, message.find('\n')) << message;
}

TEST(RvWinException, FromLastErrorReadsTheLastError)
{
    SetLastError(ERROR_ACCESS_DENIED);
    EXPECT_EQ(RvWinException::FromCode(ERROR_ACCESS_DENIED).message(), RvWinException::FromLastError().message());
}

TEST(RvWinException, CodeWithoutSystemTextGivesTheLookupFailure)
{
    // The message names the lookup's own error (317: no text for the id);
    // the code for a script is the one that was asked for.
    const RvWinException failure = RvWinException::FromCode(0x2000FFFFu);
    EXPECT_EQ(std::string("エラーメッセージ取得時にエラーが発生しました。\n") + kPrefix + "317", failure.message());
    EXPECT_EQ(0x2000FFFFu, failure.code());
    EXPECT_EQ(-1, failure.exitStatus());
}

} // namespace
