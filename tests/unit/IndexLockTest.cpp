#include "IndexLock.h"

#include <gtest/gtest.h>

namespace {

// Every velk that names the index alike takes the same lock: a to z in any
// case, and only those. ビ is 83 72 in code page 932: its trail byte is no r.
TEST(IndexLock, NameIgnoresTheLetterCaseOfAToZOnly)
{
    EXPECT_EQ(IndexLockName(L"C:\\USERS\\ビ\\X"), IndexLockName(L"c:\\users\\ビ\\x"));
    EXPECT_NE(IndexLockName(L"C:\\Users\\ビ\\x"), IndexLockName(L"C:\\Users\\コ\\x"));
}

} // namespace
