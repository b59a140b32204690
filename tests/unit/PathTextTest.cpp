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
        std::wstring text;
        std::vector<std::wstring> expected;
    };
    const Case cases[] = {
        {L"", {}},
        {L";", {}},
        {L";;;", {}},
        {L"C:\\a", {L"C:\\a"}},
        {L"C:\\a;C:\\b", {L"C:\\a", L"C:\\b"}},
        {L";C:\\a;;C:\\b;", {L"C:\\a", L"C:\\b"}},
        {L" C:\\a ;\"C:\\b\";C:\\c\\", {L" C:\\a ", L"\"C:\\b\"", L"C:\\c\\"}}, // kept as they stand
        {L";C:\\caf\u00E9;;C:\\b;", {L"C:\\caf\u00E9", L"C:\\b"}},
    };
    for (const Case& c : cases) EXPECT_EQ(c.expected, SplitText(c.text, L';')) << ToExactAnsi(c.text).value_or("?");
}

TEST(PathText, ToUpperAsciiChangesOnlyLettersAToZ)
{
    EXPECT_EQ(L"C:\\PROGRAM FILES\\X_1@[`{", ToUpperAscii(L"c:\\Program Files\\x_1@[`{"));
    EXPECT_EQ(L"\u00E9\uFF41AB\u30BD", ToUpperAscii(L"\u00E9\uFF41ab\u30BD")); // a to z only
}

TEST(PathText, PlainFolder)
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
        {L"\\\\?\\UNC\\server\\share\\d\\tool.exe", L"\\\\server\\share\\d"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.expected, PlainFolder(c.target)) << ToExactAnsi(c.target).value_or("?");
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

// The one answer to what form a path has, which every rule reads.
TEST(PathText, ClassifyPath)
{
    struct Case {
        std::wstring path;
        PathForm form;
        std::size_t length;
    };
    const PathForm relative = PathForm::Relative, current = PathForm::FromCurrent, rooted = PathForm::Rooted;
    const PathForm driveRelative = PathForm::DriveRelative, drive = PathForm::DriveAbsolute, unc = PathForm::Unc;
    const Case cases[] = {
        // From the current folder (.\, ..\) or the root of its drive: never looked for along the PATH.
        {L".\\tool.exe", current, 2}, {L"..\\tool.exe", current, 3}, {L"./tool.exe", current, 2},
        {L"../tool.exe", current, 3}, {L"..\\..\\x.exe", current, 3}, {L".\\", current, 2}, {L"\\tool.exe", rooted, 1},
        {L".\\bin", current, 2}, {L"..\\bin", current, 3}, {L"\\bin", rooted, 1}, {L"\\x.exe", rooted, 1},
        {L"\\.\\x.exe", rooted, 1},
        // Names like any other.
        {L"tool.exe", relative, 0}, {L".x.exe", relative, 0}, {L"..x.exe", relative, 0}, {L"...\\x.exe", relative, 0},
        {L".", relative, 0}, {L"..", relative, 0}, {L"sub\\.\\x.exe", relative, 0}, {L"bin", relative, 0},
        {L"\"C:\\bin\"", relative, 0}, {L"", relative, 0}, {L"x.exe", relative, 0},
        {L"ソ:\\x.exe", relative, 0}, // ソ is no drive letter
        // A drive, with a separator after it or read in the drive's current folder.
        {L"C:\\Tools", drive, 2}, {L"c:\\", drive, 2}, {L"C:/bin", drive, 2}, {L"C:\\x.exe", drive, 2},
        {L"C:/x.exe", drive, 2}, {L"C:.\\x", driveRelative, 2}, {L"C:bin", driveRelative, 2},
        {L"C:", driveRelative, 2}, {L"C:x.exe", driveRelative, 2},
        // Two separators: a share, the device namespace, the long-path prefix in either separator.
        {L"\\\\srv\\s\\x.exe", unc, 7}, {L"\\\\server\\share", unc, 14}, {L"\\\\.x\\s\\x.exe", unc, 6},
        {L"\\\\?x\\s\\run.bat", unc, 6},
        {L"\\\\.\\C:\\x.exe", PathForm::Device, 6}, {L"//./C:/x.exe", PathForm::Device, 6},
        {L"\\\\.", PathForm::Device, 3}, {L"\\/.\\NUL", PathForm::Device, 7},
        {L"//?/C:/x.exe", PathForm::LongPath, 6}, {L"//?/C:/t/run.bat", PathForm::LongPath, 6},
        {L"\\\\?\\C:\\x", PathForm::Literal, 6}, {L"\\\\?\\C:\\x.exe", PathForm::Literal, 6},
    };
    for (const Case& c : cases) {
        const PathPrefix prefix = ClassifyPath(c.path);
        EXPECT_EQ(c.form, prefix.form) << ToExactAnsi(c.path).value_or("?");
        EXPECT_EQ(c.length, prefix.length) << ToExactAnsi(c.path).value_or("?");
    }
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
