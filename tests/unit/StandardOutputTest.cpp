#include "StandardOutput.h"

#include <gtest/gtest.h>

namespace {

TEST(StandardOutput, LineEndsAsTextModeWritesThem)
{
    EXPECT_EQ("", WithCrLf(""));
    EXPECT_EQ("\r\n", WithCrLf("\n"));
    // Every line feed gains its CR, also one that has a CR already.
    EXPECT_EQ("a\r\n\r\nb\r\r\nc", WithCrLf("a\n\nb\r\nc"));
}

} // namespace
