#include "AnsiText.h"
#include "PathContext.h"
#include "PathText.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>

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
    PathContext context{L"C:\\base", L"C:\\work\\src"};
    PathContext root{L"C:\\", L"C:\\"};
    PathContext japanese{L"C:\\", L"C:\\ソフト\\表"};
    PathContext share{L"\\\\srv\\ソ\\dir", L"\\\\srv\\ソ\\dir"};
    struct Case {
        const PathContext* context;
        std::wstring path;
        bool useBase;
        std::wstring expected;
    };
    const Case cases[] = {
        {&context, L"tool.exe", false, L"C:\\work\\src\\tool.exe"},
        {&context, L"bin\\tool.exe", false, L"C:\\work\\src\\bin\\tool.exe"},
        {&context, L".\\tool.exe", false, L"C:\\work\\src\\tool.exe"},
        {&context, L"..\\bin\\tool.exe", false, L"C:\\work\\bin\\tool.exe"},
        {&context, L"..\\..\\tool.exe", false, L"C:\\work\\..\\tool.exe"}, // only one .. is taken
        {&context, L".x.exe", false, L"C:\\work\\src\\.x.exe"},              // a dot that begins a name
        {&context, L"..x.exe", false, L"C:\\work\\src\\..x.exe"},
        {&context, L"..", false, L"C:\\work\\src\\.."},
        {&root, L".\\tool.exe", false, L"C:\\tool.exe"}, // one separator, also from a drive's root
        {&context, L"D:\\x.exe", false, L"D:\\x.exe"},
        {&context, L"1:x", false, L"1:x"},
        {&context, L"ソ:x", false, L"C:\\work\\src\\ソ:x"}, // ソ is no drive letter
        {&context, L"a.exe", true, L"C:\\base\\a.exe"},
        {&root, L"..\\tool.exe", false, L"C:\\tool.exe"},
        {&root, L"tool.exe", false, L"C:\\tool.exe"},
        {&context, L"./tool.exe", false, L"C:\\work\\src/tool.exe"}, // the separator as typed
        {&japanese, L"..\\x.exe", false, L"C:\\ソフト\\x.exe"},
        {&context, L"\\Tools\\tool.exe", false, L"C:\\Tools\\tool.exe"}, // the root of the drive
        {&share, L"\\Tools\\tool.exe", false, L"\\\\srv\\ソ\\Tools\\tool.exe"}, // of the share
        {&share, L"tool.exe", false, L"\\\\srv\\ソ\\dir\\tool.exe"},
        {&context, L"\\\\srv\\s\\x.exe", false, L"\\\\srv\\s\\x.exe"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.expected, c.context->ToFullPath(c.path, c.useBase)) << ToExactAnsi(c.path).value_or("?");
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

TEST(PathText, WhatAFileIsByItsName)
{
    struct Case {
        std::wstring file;
        TargetKind kind;
    };
    const Case cases[] = {
        {L"run.bat", TargetKind::BatchFile},   {L"RUN.BAT", TargetKind::BatchFile},  {L"x.CmD", TargetKind::BatchFile},
        {L"run.bat.", TargetKind::BatchFile},  {L"run.bat. .", TargetKind::BatchFile}, {L"run.cmd  ", TargetKind::BatchFile},
        {L".bat", TargetKind::BatchFile},      {L"C:\\t\\ソ.bat", TargetKind::BatchFile},
        {L"\\\\?\\C:\\t\\run.bat", TargetKind::BatchFile},
        {L"go.lnk", TargetKind::Shortcut},     {L"GO.LNK.", TargetKind::Shortcut},   {L"C:\\t\\go.Pif", TargetKind::Shortcut},
        {L"run.exe", TargetKind::Program},     {L"run.bat.exe", TargetKind::Program}, {L"runbat", TargetKind::Program},
        {L"run.bats", TargetKind::Program},    {L"run.bat\\x", TargetKind::Program}, {L"bat", TargetKind::Program},
        {L"...", TargetKind::Program},         {L"cmd.exe", TargetKind::Program},    {L"run.ba t", TargetKind::Program},
        {L"go.pif.txt", TargetKind::Program},
    };
    for (const Case& c : cases) EXPECT_EQ(c.kind, KindByName(c.file)) << ToExactAnsi(c.file).value_or("?");

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
