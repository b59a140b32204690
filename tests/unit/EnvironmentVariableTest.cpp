#include "EnvironmentVariable.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(EnvironmentVariable, ReadsExistingEmptyAndMissingVariables)
{
    SetEnvironmentVariableA("VELK_TEST_VALUE", "C:\\a;C:\\ソフト");
    EXPECT_EQ("C:\\a;C:\\ソフト", EnvironmentVariable("VELK_TEST_VALUE").Value());

    const std::string longValue(5000, 'x');
    SetEnvironmentVariableA("VELK_TEST_VALUE", longValue.c_str());
    EXPECT_EQ(longValue, EnvironmentVariable("VELK_TEST_VALUE").Value());

    SetEnvironmentVariableA("VELK_TEST_VALUE", nullptr);
    EnvironmentVariable missing("VELK_TEST_VALUE"); // building it does not throw
    try {
        missing.Value();
        FAIL();
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ("環境変数が存在しません。", error.what());
    }
}

TEST(EnvironmentVariable, ReadsTheValueWhenValueIsCalled)
{
    SetEnvironmentVariableA("VELK_TEST_VALUE", "short");
    EnvironmentVariable variable("VELK_TEST_VALUE");
    SetEnvironmentVariableA("VELK_TEST_VALUE", "a longer value than before");
    EXPECT_EQ("a longer value than before", variable.Value());
    SetEnvironmentVariableA("VELK_TEST_VALUE", nullptr);
}

} // namespace
