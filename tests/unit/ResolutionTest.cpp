// Resolution as a function of its inputs alone: the typed name, the current
// folder and the PATH's entries, against files that the test makes.
#include "Resolution.h"

#include "AnsiText.h"
#include "Harness.h"
#include "WinHandle.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>
#include <iostream>
#include <optional>
#include <random>

namespace {

const std::wstring kRoot = L"C:\\velk-unit\\Resolution";

class Resolution : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // The harness reads narrow paths as CP932, whatever the system's code page.
        MakeFreshDirectory(ToExactCodePage(kRoot, kOwnCodePage).value_or(""));
        for (const wchar_t* file : {L"\\Tools\\tool.exe", L"\\Tools\\run.bat", L"\\work\\here.exe",
                                    L"\\onpath\\found.exe", L"\\onpath\\sub\\deep.exe", L"\\ソフト表\\ツール.exe",
                                    L"\\later\\folder.exe", L"\\rnd\\a.exe",
                                    L"\\rnd\\sub\\b.exe", L"\\rnd\\c.bat"}) {
            const std::wstring path = kRoot + file;
            MakeDirectories(path.substr(0, path.rfind(L'\\')));
            WriteFileBytes(ToExactCodePage(path, kOwnCodePage).value_or(""), "x");
        }
        MakeDirectories(kRoot + L"\\onpath\\folder.exe"); // a folder is no program
        // A drive-relative name reads drive C's current folder.
        SetCurrentDirectoryW(L"C:\\");
    }

    static PathEntries Path(const PathList& entries) { return PathEntries{entries, std::nullopt}; }

    // The record, or the failure's text.
    static std::string Outcome(const std::wstring& typed, const std::wstring& folder, const PathEntries& path,
                               TargetRecord& record)
    {
        try {
            record = Resolve(typed, folder, path);
            return "";
        } catch (const RvWinException& failure) {
            return failure.message();
        }
    }
};

// A batch file whose plain path is length characters long, made below kRoot.
std::wstring BatchFileOfLength(std::size_t length)
{
    const std::wstring name = L"\\run.bat";
    const std::wstring folder = kRoot + L"\\" + std::wstring(length - kRoot.size() - 1 - name.size(), L'p');
    MakeDirectories(folder);
    WriteFileBytes(ToExactAnsi(folder + name).value_or(""), "x");
    return folder + name;
}

std::string Utf8(const std::wstring& text)
{
    return ToExactCodePage(text, CP_UTF8).value_or("?");
}

// Every route, and the spellings that each reads as Windows does.
TEST_F(Resolution, EveryRouteGivesOneRecord)
{
    const std::wstring tools = kRoot + L"\\Tools";
    const std::wstring work = kRoot + L"\\work";
    const std::wstring onPath = kRoot + L"\\onpath";
    const PathList entries = {onPath, L"..\\Tools"};
    const std::wstring longest = BatchFileOfLength(MAX_PATH - 1); // MAX_PATH counts the NUL
    const std::wstring longestFolder = longest.substr(0, longest.rfind(L'\\'));
    struct Case {
        std::wstring typed;
        std::wstring folder;
        PathList entries;
        TargetKind kind;
        std::wstring shellFile;
        std::wstring directory;
        std::optional<std::wstring> indexLine;
    };
    const Case cases[] = {
        // Full paths: as typed, in their own folder, in the index unless on the PATH.
        {tools + L"\\tool.exe", work, entries, TargetKind::Program, tools + L"\\tool.exe", tools, tools},
        {L"C:/velk-unit/Resolution/Tools/tool.exe", work, entries, TargetKind::Program,
         L"C:/velk-unit/Resolution/Tools/tool.exe", tools, tools},
        {tools + L"\\.\\x\\..\\tool.exe", work, entries, TargetKind::Program, tools + L"\\.\\x\\..\\tool.exe", tools,
         tools},
        {tools + L"\\tool.exe", work, {L"c:\\velk-unit\\resolution\\TOOLS"}, TargetKind::Program,
         tools + L"\\tool.exe", tools, std::nullopt},
        {tools + L"\\run.bat. ", work, entries, TargetKind::BatchFile, tools + L"\\run.bat. ", tools, tools},
        // cmd.exe gets a \\?\ batch file's plain form; a drive-relative name is made full.
        {L"\\\\?\\" + tools + L"\\run.bat", work, entries, TargetKind::BatchFile, tools + L"\\run.bat", tools, tools},
        {L"\\\\?\\" + longest, work, entries, TargetKind::BatchFile, longest, longestFolder, longestFolder},
        {L"C:velk-unit\\Resolution\\Tools\\tool.exe", work, entries, TargetKind::Program, tools + L"\\tool.exe",
         tools, tools},
        // The current folder: started there, never in the index.
        {L"here.exe", work, entries, TargetKind::Program, work + L"\\here.exe", work, std::nullopt},
        {L".\\here.exe", work, entries, TargetKind::Program, work + L"\\here.exe", work, std::nullopt},
        {L"..\\Tools\\tool.exe", work, entries, TargetKind::Program, kRoot + L"\\Tools\\tool.exe", work,
         std::nullopt},
        // The PATH: the entry's folder, a relative entry below the current folder.
        {L"found.exe", work, entries, TargetKind::Program, onPath + L"\\found.exe", onPath, std::nullopt},
        {L"sub/deep.exe", work, entries, TargetKind::Program, onPath + L"\\sub/deep.exe", onPath + L"\\sub",
         std::nullopt},
        {L"tool.exe", work, entries, TargetKind::Program, tools + L"\\tool.exe", tools, std::nullopt},
        {L"folder.exe", work, {onPath, L"\"" + kRoot + L"\\later\"", kRoot + L"\\later"}, TargetKind::Program,
         kRoot + L"\\later\\folder.exe", kRoot + L"\\later", std::nullopt}, // past a folder and a quoted entry
        // The root of the current folder's drive; a double-byte folder (ソ and 表 end in 5C).
        {L"\\velk-unit\\Resolution\\Tools\\tool.exe", work, entries, TargetKind::Program, tools + L"\\tool.exe", work,
         std::nullopt},
        {kRoot + L"\\ソフト表\\ツール.exe", work, entries, TargetKind::Program, kRoot + L"\\ソフト表\\ツール.exe",
         kRoot + L"\\ソフト表", kRoot + L"\\ソフト表"},
        {L"//?/C:/velk-unit/Resolution/Tools/run.bat", work, entries, TargetKind::BatchFile, tools + L"\\run.bat", tools,
         tools},
    };
    for (const Case& c : cases) {
        TargetRecord record;
        EXPECT_EQ("", Outcome(c.typed, c.folder, Path(c.entries), record)) << Utf8(c.typed);
        EXPECT_EQ(c.kind, record.kind) << Utf8(c.typed);
        EXPECT_EQ(Utf8(c.shellFile), Utf8(record.shellFile)) << Utf8(c.typed);
        EXPECT_EQ(Utf8(c.directory), Utf8(record.directory)) << Utf8(c.typed);
        EXPECT_EQ(c.indexLine, record.indexLine) << Utf8(c.typed);
    }
}

// What starts nothing, and says why.
TEST_F(Resolution, WhatIsNotFoundOrRefused)
{
    const std::wstring tools = kRoot + L"\\Tools";
    const std::string notFound = "指定されたファイルが見つかりませんでした。";
    struct Case {
        std::wstring typed;
        std::wstring folder;
        std::string failure;
    };
    const Case cases[] = {
        {L"su", kRoot, notFound}, // not the command prompt here
        {L"tool", tools, notFound + "\nvelk は拡張子を補いません。tool.exe と指定してください。"},
        {tools + L"\\NUL", kRoot, "指定されたファイルが見つかりません。"},
        {tools, kRoot, "指定されたファイルが見つかりません。"}, // a folder
        {L"\\\\.\\" + tools + L"\\tool.exe", kRoot, "デバイスの名前空間のパス (\\\\.\\) は起動しません。"},
        {tools + L"\\tool.exe:s", kRoot, "ストリーム名 (ファイル名の後の :) が付いたパスは起動しません。"},
        {L"\\\\?\\" + tools + L"\\.\\tool.exe", kRoot, "指定されたファイルが見つかりません。"},
        {L"\\\\?\\" + BatchFileOfLength(MAX_PATH), kRoot,
         "cmd.exe は \\\\?\\ で始まるパスを実行できないため、このバッチファイルは起動しません。"},
        // cmd.exe's line holds the working folder too: \run.bat from C:\d%x%.
        {kRoot.substr(2) + L"\\Tools\\run.bat", kRoot + L"\\d%x%",
         "作業フォルダーに % があるため、このバッチファイルは起動しません。"},
    };
    for (const Case& c : cases) {
        TargetRecord record;
        EXPECT_EQ(c.failure, Outcome(c.typed, c.folder, Path({}), record)) << Utf8(c.typed);
    }
    // The PATH is read only where it is needed.
    TargetRecord record;
    const PathEntries unset{{}, RvWinException::WithUsage("環境変数が存在しません。", ERROR_ENVVAR_NOT_FOUND)};
    EXPECT_EQ("", Outcome(L".\\tool.exe", tools, unset, record));
    EXPECT_EQ("環境変数が存在しません。", Outcome(L"found.exe", tools, unset, record));
}

// The file a record names is the one that CreateFileW opens for the same
// text: thousands of spellings of a few files, a seed of their own each run.
TEST_F(Resolution, OpensWhatCreateFileOpens)
{
    const std::uint32_t seed = static_cast<std::uint32_t>(std::time(nullptr));
    std::cout << "seed " << seed << "\n";
    RecordProperty("seed", static_cast<int>(seed & 0x7FFFFFFF));
    std::mt19937 random(seed);
    const auto pick = [&random](std::size_t count) {
        return std::uniform_int_distribution<std::size_t>(0, count - 1)(random);
    };
    const std::vector<std::vector<std::wstring>> files = {
        {L"velk-unit", L"Resolution", L"rnd", L"a.exe"},
        {L"velk-unit", L"Resolution", L"rnd", L"sub", L"b.exe"},
        {L"velk-unit", L"Resolution", L"rnd", L"c.bat"},
        {L"velk-unit", L"Resolution", L"rnd", L"d.exe"}, // no such file
    };
    const auto identity = [](const std::wstring& path) -> std::optional<std::uint64_t> {
        const Handle file(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        BY_HANDLE_FILE_INFORMATION information;
        if (!file.valid() || !GetFileInformationByHandle(file.get(), &information)) return std::nullopt;
        if (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
        return (std::uint64_t{information.nFileIndexHigh} << 32) | information.nFileIndexLow;
    };
    for (int i = 0; i < 2000; ++i) {
        const std::vector<std::wstring>& parts = files[pick(files.size())];
        const bool literal = pick(5) == 0;
        std::wstring spelling = literal ? L"\\\\?\\C:" : L"C:";
        for (std::size_t part = 0; part < parts.size(); ++part) {
            spelling += pick(4) == 0 ? L'/' : L'\\';
            if (pick(6) == 0) spelling += std::wstring(L".") + (pick(2) ? L'\\' : L'/');
            if (pick(6) == 0) spelling += std::wstring(L"zz") + L'\\' + L".." + L'\\';
            std::wstring name = parts[part];
            for (wchar_t& unit : name) {
                if (unit >= L'a' && unit <= L'z' && pick(3) == 0) unit = static_cast<wchar_t>(unit - L'a' + L'A');
            }
            spelling += name;
        }
        if (pick(6) == 0) spelling += pick(2) ? L"." : L" ";
        TargetRecord record;
        const std::string failure = Outcome(spelling, L"C:\\", Path({}), record);
        const std::optional<std::uint64_t> opened = identity(spelling);
        if (!opened) {
            EXPECT_NE("", failure) << "seed " << seed << ": " << Utf8(spelling);
            continue;
        }
        ASSERT_EQ("", failure) << "seed " << seed << ": " << Utf8(spelling);
        EXPECT_EQ(opened, identity(record.opened)) << "seed " << seed << ": " << Utf8(spelling);
    }
}

} // namespace
