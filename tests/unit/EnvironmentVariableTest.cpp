#include "EnvironmentVariable.h"
#include "RvWinException.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

TEST(EnvironmentVariable, ReadsExistingEmptyAndMissingVariables)
{
    SetEnvironmentVariableW(L"VELK_TEST_VALUE", L"C:\\a;C:\\ソフト;C:\\Caf\u00E9\\\U00020BB7");
    EXPECT_EQ(L"C:\\a;C:\\ソフト;C:\\Caf\u00E9\\\U00020BB7", EnvironmentVariable(L"VELK_TEST_VALUE").Value());

    const std::string longValue(5000, 'x');
    SetEnvironmentVariableA("VELK_TEST_VALUE", longValue.c_str());
    EXPECT_EQ(std::wstring(longValue.begin(), longValue.end()), EnvironmentVariable(L"VELK_TEST_VALUE").Value());

    SetEnvironmentVariableA("VELK_TEST_VALUE", nullptr);
    EnvironmentVariable missing(L"VELK_TEST_VALUE"); // building it does not throw
    try {
        missing.Value();
        FAIL();
    } catch (const RvWinException& failure) {
        EXPECT_EQ("環境変数が存在しません。", failure.message());
        EXPECT_EQ(static_cast<DWORD>(ERROR_ENVVAR_NOT_FOUND), failure.code());
        EXPECT_TRUE(failure.withUsage());
    }
}

} // namespace
