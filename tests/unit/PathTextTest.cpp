#include "PathContext.h"
#include "PathText.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(PathText, SplitTextDropsEmptyPieces)
{
    struct Case {
        std::string text;
        TextList expected;
    };
    const Case cases[] = {
        {"", {}},
        {";", {}},
        {";;;", {}},
        {"C:\\a", {"C:\\a"}},
        {"C:\\a;C:\\b", {"C:\\a", "C:\\b"}},
        {";C:\\a;;C:\\b;", {"C:\\a", "C:\\b"}},
        {" C:\\a ;\"C:\\b\";C:\\c\\", {" C:\\a ", "\"C:\\b\"", "C:\\c\\"}}, // kept as they stand
    };
    for (const Case& c : cases) EXPECT_EQ(c.expected, SplitText(c.text, ';')) << c.text;
    // UTF-16 the same way.
    EXPECT_EQ((std::vector<std::wstring>{L"C:\\caf\u00E9", L"C:\\b"}), SplitText(std::wstring(L";C:\\caf\u00E9;;C:\\b;"), L';'));
}

TEST(PathText, ListContainsComparesWholeTextsWithCase)
{
    const TextList list = {"C:\\TOOLS", "", "C:\\Tools", "C:\\TOOLS"};
    EXPECT_TRUE(ListContains(list.begin(), list.end(), "C:\\TOOLS"));
    EXPECT_TRUE(ListContains(list.begin(), list.end(), "C:\\Tools"));
    EXPECT_TRUE(ListContains(list.begin(), list.end(), ""));
    EXPECT_FALSE(ListContains(list.begin(), list.end(), "c:\\tools"));
    EXPECT_FALSE(ListContains(list.begin(), list.end(), "C:\\TOOLS\\"));
    EXPECT_FALSE(ListContains(list.begin(), list.end(), "C:\\TOOL"));
    EXPECT_FALSE(ListContains(list.begin(), list.begin(), "C:\\TOOLS"));
}

TEST(PathText, ToUpperAsciiChangesOnlyLettersAToZ)
{
    EXPECT_EQ("C:\\PROGRAM FILES\\X_1@[`{", ToUpperAscii("c:\\Program Files\\x_1@[`{"));
    // Trail bytes in the a-z range stay: 83 61 and 83 7A are katakana.
    EXPECT_EQ("\x83\x61\x83\x7A" "AB\xB1", ToUpperAscii("\x83\x61\x83\x7A" "ab\xB1"));
}

TEST(PathText, DrivePathDirectory)
{
    struct Case {
        std::string target;
        std::string expected;
    };
    const Case cases[] = {
        {"C:\\Tools\\tool.exe", "C:\\Tools"},
        {"C:\\tool.exe", "C:"},
        {"D:\\a\\b\\c.exe", "D:\\a\\b"},
        {"C:\\ソフト\\tool.exe", "C:\\ソフト"},
        {"C:\\ツール\\ソ.exe", "C:\\ツール"},
        {"C:/Tools/tool.exe", "C:/Tools"},
        {"C:\\Tools/sub/tool.exe", "C:\\Tools/sub"}, // either separator, whichever is last
        {"C:\\Tools\\sub/tool.exe", "C:\\Tools\\sub"},
        {"//server/share/tool.exe", "//server/share"},
        {"C:tool.exe", "C:"},
        {"C:", "C:"},
        {"\\\\server\\share\\tool.exe", "\\\\server\\share"},
        {"\\\\?\\UNC\\server\\share\\d\\tool.exe", "\\\\?\\UNC\\server\\share\\d"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.expected, DrivePathDirectory(c.target)) << c.target;
}

TEST(PathText, ToFullPath)
{
    PathContext context{"C:\\base", "C:\\work\\src"};
    PathContext root{"C:\\", "C:\\"};
    PathContext japanese{"C:\\", "C:\\ソフト\\表"};
    PathContext share{"\\\\srv\\ソ\\dir", "\\\\srv\\ソ\\dir"};
    struct Case {
        const PathContext* context;
        std::string path;
        bool useBase;
        std::string expected;
    };
    const Case cases[] = {
        {&context, "tool.exe", false, "C:\\work\\src\\tool.exe"},
        {&context, "bin\\tool.exe", false, "C:\\work\\src\\bin\\tool.exe"},
        {&context, ".\\tool.exe", false, "C:\\work\\src\\tool.exe"},
        {&context, "..\\bin\\tool.exe", false, "C:\\work\\bin\\tool.exe"},
        {&context, "..\\..\\tool.exe", false, "C:\\work\\..\\tool.exe"}, // only one .. is taken
        {&context, ".x.exe", false, "C:\\work\\src\\.x.exe"},              // a dot that begins a name
        {&context, "..x.exe", false, "C:\\work\\src\\..x.exe"},
        {&context, "..", false, "C:\\work\\src\\.."},
        {&root, ".\\tool.exe", false, "C:\\\\tool.exe"},
        {&context, "D:\\x.exe", false, "D:\\x.exe"},
        {&context, "1:x", false, "1:x"},
        {&context, "a.exe", true, "C:\\base\\a.exe"},
        {&root, "..\\tool.exe", false, "C:\\tool.exe"},
        {&root, "tool.exe", false, "C:\\\\tool.exe"},
        {&japanese, "..\\x.exe", false, "C:\\ソフト\\x.exe"},
        {&context, "\\Tools\\tool.exe", false, "C:\\Tools\\tool.exe"}, // the root of the drive
        {&share, "\\Tools\\tool.exe", false, "\\\\srv\\ソ\\Tools\\tool.exe"}, // of the share
        {&share, "tool.exe", false, "\\\\srv\\ソ\\dir\\tool.exe"},
        {&context, "\\\\srv\\s\\x.exe", false, "\\\\srv\\s\\x.exe"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.expected, c.context->ToFullPath(c.path, c.useBase)) << c.path;
}

TEST(PathText, WhatNamesTheCurrentFolderAndWhatIsAFullPath)
{
    for (const char* target :
         {".\\tool.exe", "..\\tool.exe", "./tool.exe", "../tool.exe", "..\\..\\x.exe", ".\\", "\\tool.exe"}) {
        EXPECT_TRUE(NamesCurrentDirectory(target)) << target;
    }
    for (const char* target :
         {"tool.exe", ".x.exe", "..x.exe", "...\\x.exe", ".", "..", "sub\\.\\x.exe", "C:.\\x", "\\\\srv\\s\\x.exe"}) {
        EXPECT_FALSE(NamesCurrentDirectory(target)) << target;
    }
    for (const char* entry : {"C:\\Tools", "c:\\", "\\\\server\\share", "\\\\?\\C:\\x"}) {
        EXPECT_TRUE(IsFullPath(entry)) << entry;
    }
    for (const char* entry : {"bin", ".\\bin", "..\\bin", "\\bin", "C:bin", "C:", "C:/bin", "\"C:\\bin\"", ""}) {
        EXPECT_FALSE(IsFullPath(entry)) << entry;
    }
}

TEST(PathText, BatchFilesByTheirNames)
{
    for (const char* target : {"run.bat", "RUN.BAT", "x.CmD", "C:\\t\\run.bat", "run.bat.", "run.bat. .", "run.cmd  ",
                               ".bat", "ソ.bat", "sub\\run.cmd"}) {
        EXPECT_TRUE(IsBatchFile(target)) << target;
    }
    for (const char* target : {"run.exe", "run.bat.exe", "runbat", "run.bats", "run.bat\\x", "bat", "...", "",
                               "cmd.exe", "run.ba t"}) {
        EXPECT_FALSE(IsBatchFile(target)) << target;
    }
}

TEST(PathText, ToFullPathRejectsEmptyAndOneByte)
{
    PathContext context{"C:\\", "C:\\"};
    try {
        context.ToFullPath("", false);
        FAIL();
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ("パスが空です。", error.what());
    }
    try {
        context.ToFullPath("a", false);
        FAIL();
    } catch (const std::out_of_range& error) {
        EXPECT_STREQ("invalid string position", error.what());
    }
}

} // namespace
