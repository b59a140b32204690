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

// A folder is recorded in the system's code page, exactly, or not at all: a
// look-alike would name another folder. The expected bytes are the system's
// code page's: 932 on the systems velk is made for, 1252 on an English Windows.
TEST_F(VelkIndex, FolderIsRecordedInTheSystemsCodePageOrNotAtAll)
{
    struct Case {
        std::wstring name;
        const char* cp932; // nullptr: started, and not recorded
        const char* cp1252;
    };
    const Case cases[] = {
        {L"ソフト表", "ソフト表", nullptr}, // ソ and 表 end in 5C, which is no separator there
        {L"caf\u00E9", nullptr, "caf\xE9"},
        {L"\u0101", nullptr, nullptr}, // ā has only a look-alike in both
    };
    const unsigned codePage = GetACP();
    ASSERT_TRUE(codePage == 932 || codePage == 1252) << codePage;
    const std::string listed = "D:\\one\r\n";
    for (const Case& c : cases) {
        MakeIndex(listed);
        const std::wstring folder = Wide(root) + L"\\" + c.name;
        MakeDirectories(folder);
        CopyProgram(Wide(BinDirectory() + "\\recorder.exe"), folder + L"\\tool.exe");
        DeleteFileA(log.c_str());
        const ProcessResult result =
            RunProcess(L"velk.exe " + folder + L"\\tool.exe", L"C:\\", env, Wide(BinDirectory() + "\\velk.exe"));
        EXPECT_EQ("", result.output);
        EXPECT_NE("(nothing was started)", Record());
        const char* bytes = codePage == 932 ? c.cp932 : c.cp1252;
        if (bytes == nullptr) {
            ExpectIndexUntouched(listed, std::to_string(codePage) + " has no " + ToCodePageMarked(c.name, 932));
        } else {
            EXPECT_EQ(listed + root + "\\" + bytes + "\r\n", ReadFileBytes(index)) << codePage;
        }
    }
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
        // Said, with Windows' words for why (which Windows and Wine choose alike
        // or not): the start goes ahead.
        const ProcessResult result = Run(tools + "\\tool.exe");
        EXPECT_EQ(0u, result.output.find("インデックスを更新できませんでした: エラーコード : ")) << result.output;
        EXPECT_EQ(0u, result.exitCode);
        EXPECT_NE("(nothing was started)", Record());
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

// What no run holds and never goes away (a folder at the lock file's name or
// at the new index's): the start goes ahead unrecorded and says why, in
// Windows' words; deleteindex reports the lock's own error, and succeeds
// once the index is gone.
TEST_F(VelkIndex, WhatKeepsTheIndexFromBeingUpdatedIsSaid)
{
    const std::string denied = "エラーコード : 5　" + WindowsText(ERROR_ACCESS_DENIED) + "\r\n";
    for (const char* blocked : {".lock", ".new"}) {
        MakeIndex("D:\\one\r\n");
        MakeDirectories(index + blocked);
        DeleteFileA(log.c_str());
        ProcessResult result = Run(tools + "\\tool.exe");
        EXPECT_EQ("インデックスを更新できませんでした: " + denied, result.output) << blocked;
        EXPECT_EQ(0u, result.exitCode) << blocked;
        EXPECT_NE("(nothing was started)", Record()) << blocked;
        EXPECT_EQ("D:\\one\r\n", ReadFileBytes(index)) << blocked;

        result = Run("deleteindex");
        const bool lock = blocked[1] == 'l';
        EXPECT_EQ(lock ? denied : "", result.output) << blocked;
        EXPECT_EQ(lock ? 1u : 0u, result.exitCode) << blocked;
        EXPECT_EQ(lock, FileExists(index)) << blocked;
        RemoveDirectoryA((index + blocked).c_str());
    }
}

} // namespace
