#include "PathIndex.h"

#include "Harness.h"
#include "WinHandle.h"

#include <gtest/gtest.h>

namespace {

TEST(PathIndexLines, Parse)
{
    struct Case {
        std::string bytes;
        TextList lines;
    };
    const Case cases[] = {
        {"", {}},
        {"C:\\a\r\n", {"C:\\a"}},
        {"C:\\a\r\nC:\\b\r\n", {"C:\\a", "C:\\b"}},
        {"C:\\a\nC:\\b\n", {"C:\\a", "C:\\b"}},  // LF only
        {"C:\\a\r\nC:\\b", {"C:\\a", "C:\\b"}},  // no line end at the end
        {"\r\n\nC:\\a\r\n\r\n", {"", "", "C:\\a", ""}},
        {"C:\\a  \r\n", {"C:\\a  "}},            // trailing spaces belong to the entry
        {"C:\\a\r\r\n", {"C:\\a\r"}},            // only the CR right before LF goes
        {"C:\\ソ\r\n", {"C:\\ソ"}},
    };
    for (const Case& c : cases) EXPECT_EQ(c.lines, ParseIndexLines(c.bytes)) << c.bytes;
}

// The duplicate test on the bytes says what the list of lines says.
TEST(PathIndexLines, HasLineAgreesWithTheParsedLines)
{
    const std::string files[] = {"", "C:\\a\r\n", "C:\\a\nC:\\b", "\r\n\nC:\\a\r\n\r\n", "C:\\a  \r\n",
                                 "C:\\a\r\r\n", "C:\\a\r", "xC:\\a\r\nC:\\ab\r\nC:\\", "C:\\ソ\r\n", "\n", "D:\\one\r\nC:\\a\r\n"};
    const std::string lines[] = {"C:\\a", "C:\\a\r", "C:\\a  ", "C:\\b", "", "C:\\", "C:\\ab", "a", "C:\\ソ",
                                 "C:\\a\r\nC:\\b", "\n", "c:\\a"};
    for (const std::string& bytes : files) {
        const TextList parsed = ParseIndexLines(bytes);
        for (const std::string& line : lines) {
            EXPECT_EQ(ListContains(parsed.begin(), parsed.end(), line), IndexHasLine(bytes, line))
                << ::testing::PrintToString(bytes) << " " << ::testing::PrintToString(line);
        }
    }
}

TEST(PathIndexLines, FormatEndsEveryEntryWithCrLf)
{
    EXPECT_EQ("", FormatIndexLines({}));
    EXPECT_EQ("C:\\a\r\n\r\nC:\r\n", FormatIndexLines({"C:\\a", "", "C:"}));
}

} // namespace

namespace {

// The index class itself, on a folder of the test's own: these cases need a
// file whose state changes between loading and saving.
class PathIndexFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        appData = TestFolder();
        MakeFreshDirectory(appData + "\\Orvane");
        index = appData + "\\Orvane\\velkindex.dat";
        SetEnvironmentVariableA("AppData", appData.c_str());
    }
    void TearDown() override { SetEnvironmentVariableA("AppData", nullptr); }

    std::string appData;
    std::string index;
};

TEST_F(PathIndexFile, FileThatCouldNotBeReadIsNotRewritten)
{
    WriteFileBytes(index, "D:\\one\r\n");
    {
        Handle locked(CreateFileA(index.c_str(), GENERIC_READ, FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(locked.valid());
        PathIndex loaded;
        locked.reset(); // readable again by the time the index is saved
        EXPECT_FALSE(loaded.contains("D:\\one"));
        loaded.add("D:\\two");
        EXPECT_EQ(0u, loaded.Save());
    }
    EXPECT_EQ("D:\\one\r\n", ReadFileBytes(index));
}

TEST_F(PathIndexFile, AddedEntriesAreSavedOnceAtTheEnd)
{
    WriteFileBytes(index, "D:\\one\n");
    {
        PathIndex loaded;
        EXPECT_TRUE(loaded.contains("D:\\one"));
        EXPECT_FALSE(loaded.contains("d:\\one"));
        loaded.add("D:\\two");
        EXPECT_TRUE(loaded.contains("D:\\two"));
        EXPECT_EQ("D:\\one\n", ReadFileBytes(index));
        EXPECT_EQ(0u, loaded.Save());
    }
    EXPECT_EQ("D:\\one\r\nD:\\two\r\n", ReadFileBytes(index));
    EXPECT_EQ(std::vector<std::string>{"velkindex.dat"}, ListFolder(appData + "\\Orvane"));
}

} // namespace
