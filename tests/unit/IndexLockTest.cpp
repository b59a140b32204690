#include "IndexLock.h"

#include "AnsiText.h"
#include "Harness.h"

#include <gtest/gtest.h>

namespace {

// Every velk that names the index alike takes the same lock: a to z in any
// case, and only those. ビ is 83 72 in code page 932: its trail byte is no r.
TEST(IndexLock, NameIgnoresTheLetterCaseOfAToZOnly)
{
    EXPECT_EQ(IndexLockName(L"C:\\USERS\\ビ\\X"), IndexLockName(L"c:\\users\\ビ\\x"));
    EXPECT_NE(IndexLockName(L"C:\\Users\\ビ\\x"), IndexLockName(L"C:\\Users\\コ\\x"));
}

// Only another run's lock is waited for: a folder at the lock file's name
// is never going away, and is reported as what it is, not as a wait that
// ran out.
TEST(IndexLock, WhatNoRunHoldsIsNotWaitedFor)
{
    const std::string folder = TestFolder();
    MakeFreshDirectory(folder);
    const std::wstring index = ToWide(folder) + L"\\velkindex.dat";
    MakeDirectories(IndexLockFilePath(index));
    const IndexLock lock(index, 100);
    EXPECT_FALSE(lock.held());
    EXPECT_EQ(static_cast<unsigned long>(ERROR_ACCESS_DENIED), lock.error());
}

} // namespace
