#include "LibrarySearch.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

TEST(LibrarySearch, ADllBesideTheProgramIsNotLoaded)
{
    const char kBeside[] = "velk-test-beside.dll";
    const HMODULE found = LoadLibraryA(kBeside);
    ASSERT_NE(nullptr, found) << "without the restriction, the program's own folder is searched";
    FreeLibrary(found);

    RestrictLibrarySearch();
    EXPECT_EQ(nullptr, LoadLibraryA(kBeside));
    EXPECT_NE(nullptr, LoadLibraryA("version.dll")) << "System32 is still searched";
}

} // namespace
