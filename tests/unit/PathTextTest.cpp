#include "AnsiText.h"
#include "PathText.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

TEST(PathText, SplitTextDropsEmptyPieces)
{
    struct Case {
        std::string text;
        std::vector<std::string> expected;
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

TEST(PathText, ToUpperAsciiChangesOnlyLettersAToZ)
{
    EXPECT_EQ(L"C:\\PROGRAM FILES\\X_1@[`{", ToUpperAscii(L"c:\\Program Files\\x_1@[`{"));
    EXPECT_EQ(L"\u00E9\uFF41AB\u30BD", ToUpperAscii(L"\u00E9\uFF41ab\u30BD")); // a to z only
}

TEST(PathText, DrivePathDirectory)
{
    struct Case {
        std::wstring target;
        std::wstring expected;
    };
    const Case cases[] = {
        {L"C:\\Tools\\tool.exe", L"C:\\Tools"},
        {L"C:\\tool.exe", L"C:"},
        {L"D:\\a\\b\\c.exe", L"D:\\a\\b"},
        {L"C:\\ソフト\\tool.exe", L"C:\\ソフト"},
        {L"C:\\ツール\\ソ.exe", L"C:\\ツール"},
        {L"C:/Tools/tool.exe", L"C:/Tools"},
        {L"C:\\Tools/sub/tool.exe", L"C:\\Tools/sub"}, // either separator, whichever is last
        {L"C:\\Tools\\sub/tool.exe", L"C:\\Tools\\sub"},
        {L"//server/share/tool.exe", L"//server/share"},
        {L"C:tool.exe", L"C:"},
        {L"C:", L"C:"},
        {L"\\\\server\\share\\tool.exe", L"\\\\server\\share"},
        {L"\\\\?\\UNC\\server\\share\\d\\tool.exe", L"\\\\?\\UNC\\server\\share\\d"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.expected, DrivePathDirectory(c.target)) << ToExactAnsi(c.target).value_or("?");
}

TEST(PathText, ToFullPath)
{
    struct Case {
        std::wstring folder;
        std::wstring path;
        std::wstring expected;
    };
    const Case cases[] = {
        {L"C:\\work\\src", L"tool.exe", L"C:\\work\\src\\tool.exe"},
        {L"C:\\work\\src", L"bin\\tool.exe", L"C:\\work\\src\\bin\\tool.exe"},
        {L"C:\\work\\src", L".\\tool.exe", L"C:\\work\\src\\tool.exe"},
        {L"C:\\work\\src", L"..\\bin\\tool.exe", L"C:\\work\\bin\\tool.exe"},
        {L"C:\\work\\src", L"..\\..\\tool.exe", L"C:\\work\\..\\tool.exe"}, // only one .. is taken
        {L"C:\\work\\src", L".x.exe", L"C:\\work\\src\\.x.exe"},              // a dot that begins a name
        {L"C:\\work\\src", L"..x.exe", L"C:\\work\\src\\..x.exe"},
        {L"C:\\work\\src", L"..", L"C:\\work\\src\\.."},
        {L"C:\\", L".\\tool.exe", L"C:\\tool.exe"}, // one separator, also from a drive's root
        {L"C:\\work\\src", L"ソ:x", L"C:\\work\\src\\ソ:x"}, // ソ is no drive letter
        {L"C:\\", L"..\\tool.exe", L"C:\\tool.exe"},
        {L"C:\\", L"tool.exe", L"C:\\tool.exe"},
        {L"C:\\work\\src", L"./tool.exe", L"C:\\work\\src/tool.exe"}, // the separator as typed
        {L"C:\\ソフト\\表", L"..\\x.exe", L"C:\\ソフト\\x.exe"},
        {L"C:\\work\\src", L"\\Tools\\tool.exe", L"C:\\Tools\\tool.exe"}, // the root of the drive
        {L"\\\\srv\\ソ\\dir", L"\\Tools\\tool.exe", L"\\\\srv\\ソ\\Tools\\tool.exe"}, // of the share
        {L"\\\\srv\\ソ\\dir", L"tool.exe", L"\\\\srv\\ソ\\dir\\tool.exe"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.expected, ToFullPath(c.path, c.folder)) << ToExactAnsi(c.path).value_or("?");
}

TEST(PathText, WhatNamesTheCurrentFolderAndWhatIsAFullPath)
{
    for (const wchar_t* target :
         {L".\\tool.exe", L"..\\tool.exe", L"./tool.exe", L"../tool.exe", L"..\\..\\x.exe", L".\\", L"\\tool.exe"}) {
        EXPECT_TRUE(NamesCurrentDirectory(target)) << ToExactAnsi(target).value_or("?");
    }
    for (const wchar_t* target :
         {L"tool.exe", L".x.exe", L"..x.exe", L"...\\x.exe", L".", L"..", L"sub\\.\\x.exe", L"C:.\\x", L"\\\\srv\\s\\x.exe"}) {
        EXPECT_FALSE(NamesCurrentDirectory(target)) << ToExactAnsi(target).value_or("?");
    }
    for (const wchar_t* entry : {L"C:\\Tools", L"c:\\", L"\\\\server\\share", L"\\\\?\\C:\\x"}) {
        EXPECT_TRUE(IsFullPath(entry)) << ToExactAnsi(entry).value_or("?");
    }
    for (const wchar_t* entry : {L"bin", L".\\bin", L"..\\bin", L"\\bin", L"C:bin", L"C:", L"C:/bin", L"\"C:\\bin\"", L""}) {
        EXPECT_FALSE(IsFullPath(entry)) << ToExactAnsi(entry).value_or("?");
    }
    // What the shell may be handed as typed, whatever its working folder.
    for (const wchar_t* target : {L"C:\\x.exe", L"C:/x.exe", L"\\\\srv\\s\\x.exe", L"//?/C:/x.exe"}) {
        EXPECT_TRUE(IsWrittenInFull(target)) << ToExactAnsi(target).value_or("?");
    }
    for (const wchar_t* target : {L"C:x.exe", L"C:", L"\\x.exe", L"x.exe", L"ソ:\\x.exe"}) {
        EXPECT_FALSE(IsWrittenInFull(target)) << ToExactAnsi(target).value_or("?");
    }
    // The device namespace and the long-path prefix, in either separator.
    for (const wchar_t* path : {L"\\\\.\\C:\\x.exe", L"//./C:/x.exe", L"\\\\.", L"\\/.\\NUL"}) {
        EXPECT_TRUE(NamesDeviceNamespace(path)) << ToExactAnsi(path).value_or("?");
    }
    for (const wchar_t* path : {L"\\\\.x\\s\\x.exe", L"\\\\?\\C:\\x.exe", L".\\x.exe", L"\\.\\x.exe"}) {
        EXPECT_FALSE(NamesDeviceNamespace(path)) << ToExactAnsi(path).value_or("?");
    }
    EXPECT_TRUE(HasLongPathSpelling(L"//?/C:/t/run.bat"));
    EXPECT_FALSE(HasLongPathSpelling(L"\\\\?x\\s\\run.bat"));
}

TEST(PathText, WhereAStreamBegins)
{
    // A colon other than the drive's own begins a stream's name.
    const std::pair<std::wstring, StreamPlace> streams[] = {
        {L"C:\\t\\run.bat::$DATA", StreamPlace::FileName},
        {L"\\\\srv\\s\\x.exe:s", StreamPlace::FileName},
        {L"\\\\?\\UNC\\srv\\s\\x.exe:s", StreamPlace::FileName},
        {L"C:\\ソ:x", StreamPlace::FileName},
        {L"C:\\\"C:\\t\"\\x.exe", StreamPlace::Folder}, // a PATH entry in quotes, made full
        {L"C:\\t\\run.bat", StreamPlace::None},
        {L"\\\\?\\C:\\t\\x.exe", StreamPlace::None},
    };
    for (const auto& c : streams) EXPECT_EQ(c.second, FindStream(c.first)) << ToExactAnsi(c.first).value_or("?");
}

} // namespace
