// The folder index that velk keeps in %AppData%\Orvane\velkindex.dat, seen on
// disk after real runs.
#include "VelkFixture.h"

#include "AnsiText.h"
#include "IndexLock.h"
#include "WinHandle.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class VelkIndex : public Velk {
protected:
    void SetUp() override
    {
        Velk::SetUp();
        orvane = appData + "\\Orvane";
        index = orvane + "\\velkindex.dat";
        tools = root + "\\Tools";
        PlaceRecorder(tools + "\\tool.exe");
    }

    // Runs velk on a drive-letter target and checks that it was started.
    void Start(const std::string& target)
    {
        DeleteFileA(log.c_str());
        const ProcessResult result = Run(target);
        EXPECT_EQ("", result.output) << target;
        EXPECT_EQ(0u, result.exitCode) << target;
        EXPECT_NE("(nothing was started)", Record()) << target;
    }

    void MakeIndex(const std::string& bytes)
    {
        MakeDirectories(orvane);
        WriteFileBytes(index, bytes);
        AgeFile(index);
    }

    void ExpectIndexUntouched(const std::string& bytes, const std::string& why)
    {
        EXPECT_EQ(bytes, ReadFileBytes(index)) << why;
        EXPECT_TRUE(FileIsAged(index)) << why << ": the file was written";
        EXPECT_EQ(std::vector<std::string>{"velkindex.dat"}, ListFolder(orvane)) << why;
    }

    std::string orvane;
    std::string index;
    std::string tools;
};

TEST_F(VelkIndex, FirstFolderCreatesTheFile)
{
    MakeDirectories(orvane);
    Start(tools + "\\tool.exe");
    EXPECT_EQ(tools + "\r\n", ReadFileBytes(index));
    EXPECT_EQ(std::vector<std::string>{"velkindex.dat"}, ListFolder(orvane));
}

TEST_F(VelkIndex, AppendsToWhatTheFileHeldWithCrLfLineEnds)
{
    // LF-only line ends, a blank line, trailing spaces, a last line without
    // line end, and the same folder in another letter case: all kept.
    std::string lower = tools;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; });
    MakeIndex("D:\\one\nD:\\two\r\n\n" + tools + "  \r\n" + lower);
    Start(tools + "\\tool.exe");
    EXPECT_EQ("D:\\one\r\nD:\\two\r\n\r\n" + tools + "  \r\n" + lower + "\r\n" + tools + "\r\n",
              ReadFileBytes(index));
    EXPECT_EQ(std::vector<std::string>{"velkindex.dat"}, ListFolder(orvane));
}

TEST_F(VelkIndex, FileIsLeftAloneWhenNothingIsAdded)
{
    const std::string listed = "D:\\one\n" + tools + "\r\nD:\\one\n";
    MakeIndex(listed);

    Start(tools + "\\tool.exe"); // listed already, exactly
    ExpectIndexUntouched(listed, "listed");

    std::string upperTools = tools;
    for (char& c : upperTools) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    PlaceRecorder(root + "\\OnPath\\tool.exe");
    env.Set("PATH", "C:\\windows\\system32;" + upperTools + "\\..\\ONPATH;" + root + "\\onpath");
    Start(root + "\\OnPath\\tool.exe"); // on the PATH, letter case aside
    ExpectIndexUntouched(listed, "on PATH");

    // A folder that the code page cannot name is started, and not recorded.
    const std::wstring cafe = Wide(root) + L"\\caf\u00E9";
    MakeDirectories(cafe);
    CopyProgram(Wide(BinDirectory() + "\\recorder.exe"), cafe + L"\\tool.exe");
    DeleteFileA(log.c_str());
    const ProcessResult skipped =
        RunProcess(L"velk.exe " + cafe + L"\\tool.exe", L"C:\\", env, Wide(BinDirectory() + "\\velk.exe"));
    EXPECT_EQ("", skipped.output);
    EXPECT_NE("(nothing was started)", Record());
    ExpectIndexUntouched(listed, "cafe");

    const ProcessResult missing = Run(root + "\\Nowhere\\tool.exe");
    EXPECT_EQ(kNotFoundOnDrive, missing.output);
    ExpectIndexUntouched(listed, "missing target");

    // Only drive-letter targets touch the index.
    PlaceRecorder(root + "\\work\\rel.exe");
    env.Set("PATH", "C:\\windows\\system32;" + root + "\\work");
    for (const char* arguments : {"rel.exe", ".\\rel.exe", "help", "su"}) {
        DeleteFileA(log.c_str());
        const ProcessResult result = Run(arguments, root + "\\work");
        EXPECT_EQ(0u, result.exitCode) << arguments;
        ExpectIndexUntouched(listed, arguments);
    }
    const ProcessResult onPath = Run("rel.exe", "C:\\");
    EXPECT_EQ("", onPath.output);
    ExpectIndexUntouched(listed, "found on PATH");
}

TEST_F(VelkIndex, PathTestComparesWholeEntries)
{
    MakeDirectories(orvane);
    // A trailing backslash makes another entry.
    env.Set("PATH", "C:\\windows\\system32;" + tools + "\\");
    Start(tools + "\\tool.exe");
    EXPECT_EQ(tools + "\r\n", ReadFileBytes(index));
}

TEST_F(VelkIndex, ProgramInADriveRootRecordsTheDrive)
{
    MakeIndex("C:\\\r\n");
    CopyProgram(BinDirectory() + "\\recorder.exe", "C:\\velk-index-root.exe");
    env.Set("PATH", "C:\\;C:\\windows\\system32");
    Start("C:\\velk-index-root.exe");
    EXPECT_EQ("C:\\\r\nC:\r\n", ReadFileBytes(index));
    DeleteFileA("C:\\velk-index-root.exe");
}

TEST_F(VelkIndex, DoubleByteFolderIsRecordedWhole)
{
    MakeDirectories(orvane);
    const std::string folder = root + "\\ソフト表";
    PlaceRecorder(folder + "\\tool.exe");
    Start(folder + "\\tool.exe");
    EXPECT_EQ(folder + "\r\n", ReadFileBytes(index));
}

TEST_F(VelkIndex, MissingAppDataOrOrvaneChangesNothing)
{
    Start(tools + "\\tool.exe"); // no Orvane folder: it is not made
    EXPECT_EQ(std::vector<std::string>{}, ListFolder(appData));

    env.Remove("AppData");
    Start(tools + "\\tool.exe");
}

TEST_F(VelkIndex, MissingPathFailsAnExistingDriveTarget)
{
    MakeIndex("D:\\one\r\n");
    env.Remove("PATH");
    ProcessResult result = Run(tools + "\\tool.exe");
    EXPECT_EQ("環境変数が存在しません。\r\n\r\n\r\n" + kLongUsage, result.output);
    EXPECT_EQ(kStandardFailure, result.exitCode);
    EXPECT_FALSE(WaitForFile(log, 2000));
    ExpectIndexUntouched("D:\\one\r\n", "no PATH");

    result = Run(root + "\\Nowhere\\tool.exe");
    EXPECT_EQ(kNotFoundOnDrive, result.output);
    EXPECT_EQ(1u, result.exitCode);
}

TEST_F(VelkIndex, UnreadableFileIsNeverRewritten)
{
    MakeIndex("D:\\one\r\n");
    {
        // Held open by another process that lets it be deleted but not read:
        // velk cannot load it, and a delete-and-rewrite would go through.
        Handle locked(CreateFileA(index.c_str(), GENERIC_READ, FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(locked.valid());
        Start(tools + "\\tool.exe");
    }
    ExpectIndexUntouched("D:\\one\r\n", "locked");
}

TEST_F(VelkIndex, FailedSaveLeavesTheOldFile)
{
    MakeIndex("D:\\one\r\n");
    {
        // Readable and writable by others, but not to be replaced meanwhile.
        Handle held(CreateFileA(index.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held.valid());
        Start(tools + "\\tool.exe");
    }
    ExpectIndexUntouched("D:\\one\r\n", "save failed");
}

TEST_F(VelkIndex, DeleteIndexRemovesItAndTheNextStartBeginsAnew)
{
    MakeIndex("D:\\one\r\nD:\\two\r\n");
    WriteFileBytes(index + ".new", "D:\\one\r\n"); // left by a save cut short
    for (const char* arguments : {"deleteindex extra", "deleteindex", "wait deleteindex"}) {
        const ProcessResult result = Run(arguments);
        EXPECT_EQ("", result.output) << arguments;
        EXPECT_EQ(0u, result.exitCode) << arguments;
        EXPECT_EQ(std::vector<std::string>{}, ListFolder(orvane)) << arguments;
    }
    ExpectStarted("", "deleteindex");
    Start(tools + "\\tool.exe");
    EXPECT_EQ(tools + "\r\n", ReadFileBytes(index));

    // In use: reported, and the index stays whole.
    Handle open(CreateFileA(index.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(open.valid());
    const ProcessResult result = Run("deleteindex");
    EXPECT_EQ(0u, result.output.find("エラーコード : 32　")) << result.output;
    EXPECT_EQ(1u, result.exitCode);
    EXPECT_EQ(tools + "\r\n", ReadFileBytes(index));
}

TEST_F(VelkIndex, RunsSideBySideLoseNoFolder)
{
    MakeDirectories(orvane);
    env.Remove("RECORDER_LOG"); // the started recorders end at once
    std::vector<std::string> folders;
    // Two rounds, so that a lucky interleaving cannot pass.
    for (int round = 0; round < 2; ++round) {
        std::vector<std::string> commandLines;
        for (int i = 0; i < 8; ++i) {
            folders.push_back(root + "\\Side" + std::to_string(round * 8 + i));
            PlaceRecorder(folders.back() + "\\tool.exe");
            commandLines.push_back("velk.exe " + folders.back() + "\\tool.exe");
        }
        for (DWORD exitCode : RunTogether(commandLines, "C:\\", env, (BinDirectory() + "\\velk.exe").c_str())) {
            EXPECT_EQ(0u, exitCode);
        }
    }
    // Every folder once, each line ended by CR LF, nothing else.
    const std::string bytes = ReadFileBytes(index);
    std::vector<std::string> lines;
    std::string rebuilt;
    for (std::size_t start = 0, end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(bytes.substr(start, end - start));
        rebuilt += lines.back() + "\r\n";
    }
    EXPECT_EQ(bytes, rebuilt);
    std::sort(lines.begin(), lines.end());
    std::sort(folders.begin(), folders.end());
    EXPECT_EQ(folders, lines);
    EXPECT_EQ(std::vector<std::string>{"velkindex.dat"}, ListFolder(orvane));
}

TEST_F(VelkIndex, RunThatCannotHaveTheLockStartsWithoutRecording)
{
    // Held by a velk of this session (the mutex), or of another session or
    // machine that shares the folder (the lock file, which they all see).
    const std::wstring lockFile = IndexLockFilePath(Wide(index));
    for (const char* holder : {"mutex", "lock file"}) {
        MakeIndex("D:\\one\r\n");
        Handle held(holder[0] == 'm' ? CreateMutexA(nullptr, TRUE, IndexLockName(Wide(index)).c_str())
                                     : CreateFileW(lockFile.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                                   OPEN_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE, nullptr));
        ASSERT_TRUE(held.valid()) << holder;
        Start(tools + "\\tool.exe"); // ended, and started the program, while the lock is held
        if (holder[0] == 'm') ReleaseMutex(held.get());
        held.reset();
        ExpectIndexUntouched("D:\\one\r\n", holder);
    }
}

} // namespace
