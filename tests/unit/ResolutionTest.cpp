// Resolution as a function of its inputs alone: the typed name, the current
// folder and the PATH's entries, against files that the test makes.
#include "Resolution.h"

#include "AnsiText.h"
#include "Harness.h"
#include "PathText.h"
#include "WinHandle.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <iterator>
#include <optional>
#include <random>

namespace {

class Resolution : public ::testing::Test {
protected:
    // The files of every case, below a folder of the test's own.
    void SetUp() override
    {
        root = Wide(TestFolder());
        MakeFreshDirectory(TestFolder());
        for (const wchar_t* file : {L"\\Tools\\tool.exe", L"\\Tools\\run.bat", L"\\work\\here.exe",
                                    L"\\onpath\\found.exe", L"\\onpath\\sub\\deep.exe", L"\\ソフト表\\ツール.exe",
                                    L"\\later\\folder.exe", L"\\rnd\\a.exe", L"\\rnd\\sub\\a.exe",
                                    L"\\rnd\\sub\\b.exe", L"\\rnd\\c.bat", L"\\rnd\\sub\\e.exe"}) {
            const std::wstring path = root + file;
            MakeDirectories(path.substr(0, path.rfind(L'\\')));
            WriteFileBytes(ToExactCodePage(path, kOwnCodePage).value_or(""), "x");
        }
        for (const wchar_t* folder : {L"\\onpath\\folder.exe", L"\\rnd\\e.exe"}) {
            MakeDirectories(root + folder); // a folder is no program
        }
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

    std::wstring root; // C:\velk-tests\Resolution\TEST
};

// A batch file whose plain path is length characters long, made below folder.
std::wstring BatchFileOfLength(const std::wstring& folder, std::size_t length)
{
    const std::wstring name = L"\\run.bat";
    const std::wstring below = folder + L"\\" + std::wstring(length - folder.size() - 1 - name.size(), L'p');
    MakeDirectories(below);
    WriteFileBytes(ToExactCodePage(below + name, kOwnCodePage).value_or(""), "x");
    return below + name;
}

std::wstring Slashed(std::wstring path)
{
    std::replace(path.begin(), path.end(), L'\\', L'/');
    return path;
}

std::string Utf8(const std::wstring& text)
{
    return ToExactCodePage(text, CP_UTF8).value_or("?");
}

// Every route, and the spellings that each reads as Windows does.
TEST_F(Resolution, EveryRouteGivesOneRecord)
{
    const std::wstring tools = root + L"\\Tools";
    const std::wstring work = root + L"\\work";
    const std::wstring onPath = root + L"\\onpath";
    const PathList entries = {onPath, L"..\\Tools"};
    const std::wstring longest = BatchFileOfLength(root, MAX_PATH - 1); // MAX_PATH counts the NUL
    const std::wstring longestFolder = longest.substr(0, longest.rfind(L'\\'));
    std::wstring lowerRoot = root;
    std::transform(lowerRoot.begin(), lowerRoot.end(), lowerRoot.begin(), [](wchar_t c) { return towlower(c); });
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
        {Slashed(tools + L"\\tool.exe"), work, entries, TargetKind::Program, Slashed(tools + L"\\tool.exe"),
         tools, tools},
        {tools + L"\\.\\x\\..\\tool.exe", work, entries, TargetKind::Program, tools + L"\\.\\x\\..\\tool.exe", tools,
         tools},
        {tools + L"\\tool.exe", work, {L"c" + lowerRoot.substr(1) + L"\\TOOLS"}, TargetKind::Program,
         tools + L"\\tool.exe", tools, std::nullopt},
        {tools + L"\\run.bat. ", work, entries, TargetKind::BatchFile, tools + L"\\run.bat. ", tools, tools},
        // cmd.exe gets a \\?\ batch file's plain form; a drive-relative name is made full.
        {L"\\\\?\\" + tools + L"\\run.bat", work, entries, TargetKind::BatchFile, tools + L"\\run.bat", tools, tools},
        {L"\\\\?\\" + longest, work, entries, TargetKind::BatchFile, longest, longestFolder, longestFolder},
        {L"C:" + tools.substr(3) + L"\\tool.exe", work, entries, TargetKind::Program, tools + L"\\tool.exe",
         tools, tools},
        // The current folder: started there, never in the index.
        {L"here.exe", work, entries, TargetKind::Program, work + L"\\here.exe", work, std::nullopt},
        {L".\\here.exe", work, entries, TargetKind::Program, work + L"\\here.exe", work, std::nullopt},
        {L"..\\Tools\\tool.exe", work, entries, TargetKind::Program, root + L"\\Tools\\tool.exe", work,
         std::nullopt},
        // The PATH: the entry's folder, a relative entry below the current folder.
        {L"found.exe", work, entries, TargetKind::Program, onPath + L"\\found.exe", onPath, std::nullopt},
        {L"sub/deep.exe", work, entries, TargetKind::Program, onPath + L"\\sub/deep.exe", onPath + L"\\sub",
         std::nullopt},
        {L"tool.exe", work, entries, TargetKind::Program, tools + L"\\tool.exe", tools, std::nullopt},
        {L"folder.exe", work, {onPath, L"\"" + root + L"\\later\"", root + L"\\later"}, TargetKind::Program,
         root + L"\\later\\folder.exe", root + L"\\later", std::nullopt}, // past a folder and a quoted entry
        // The root of the current folder's drive; a double-byte folder (ソ and 表 end in 5C).
        {tools.substr(2) + L"\\tool.exe", work, entries, TargetKind::Program, tools + L"\\tool.exe", work,
         std::nullopt},
        {root + L"\\ソフト表\\ツール.exe", work, entries, TargetKind::Program, root + L"\\ソフト表\\ツール.exe",
         root + L"\\ソフト表", root + L"\\ソフト表"},
        {L"//?/" + Slashed(tools + L"\\run.bat"), work, entries, TargetKind::BatchFile, tools + L"\\run.bat", tools,
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
    const std::wstring tools = root + L"\\Tools";
    const std::string notFound = "指定されたファイルが見つかりませんでした。";
    struct Case {
        std::wstring typed;
        std::wstring folder;
        std::string failure;
    };
    const Case cases[] = {
        {L"su", root, notFound}, // not the command prompt here
        {L"tool", tools, notFound + "\nvelk は拡張子を補いません。tool.exe と指定してください。"},
        {tools + L"\\NUL", root, "指定されたファイルが見つかりません。"},
        {tools, root, "指定されたファイルが見つかりません。"}, // a folder
        {L"\\\\.\\" + tools + L"\\tool.exe", root, "デバイスの名前空間のパス (\\\\.\\) は起動しません。"},
        {tools + L"\\tool.exe:s", root, "ストリーム名 (ファイル名の後の :) が付いたパスは起動しません。"},
        {L"\\\\?\\" + tools + L"\\.\\tool.exe", root, "指定されたファイルが見つかりません。"},
        {L"\\\\?\\" + BatchFileOfLength(root, MAX_PATH), root,
         "cmd.exe は \\\\?\\ で始まるパスを実行できないため、このバッチファイルは起動しません。"},
        // cmd.exe's line holds the working folder too: \run.bat from C:\d%x%.
        {tools.substr(2) + L"\\run.bat", root + L"\\d%x%", "作業フォルダーに % があるため、このバッチファイルは起動しません。"},
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

// The seed of a random test: VELK_TEST_SEED when set, else one of its own,
// printed either way so that a failure can be replayed.
std::uint32_t TestSeed()
{
    const char* given = std::getenv("VELK_TEST_SEED");
    const std::uint32_t seed = given != nullptr && *given != '\0'
                                   ? static_cast<std::uint32_t>(std::strtoul(given, nullptr, 10))
                                   : std::random_device()();
    std::cout << "seed " << seed << " (to replay: VELK_TEST_SEED=" << seed << ")\n";
    ::testing::Test::RecordProperty("seed", std::to_string(seed));
    return seed;
}

// The file that Windows opens for path, or nothing (a folder is nothing).
std::optional<std::uint64_t> Identity(const std::wstring& path)
{
    const Handle file(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION information;
    if (!file.valid() || !GetFileInformationByHandle(file.get(), &information)) return std::nullopt;
    if (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
    return (std::uint64_t{information.nFileIndexHigh} << 32) | information.nFileIndexLow;
}

// What Windows starts for typed, from the process's current folder, told
// by CreateFileW alone: the file the text opens there; failing that, for a
// name that starts with neither a drive, a separator, .\ nor ..\, the file
// that the first PATH entry opens for entry\typed.
std::optional<std::uint64_t> WindowsOpens(const std::wstring& typed, const PathList& entries)
{
    if (const std::optional<std::uint64_t> here = Identity(typed)) return here;
    const auto separator = [](wchar_t c) { return c == L'\\' || c == L'/'; };
    const std::size_t dots = typed.compare(0, 2, L"..") == 0 ? 2 : typed.compare(0, 1, L".") == 0 ? 1 : 0;
    if (separator(typed[0]) || (typed.size() > 1 && typed[1] == L':') ||
        (dots > 0 && typed.size() > dots && separator(typed[dots]))) {
        return std::nullopt;
    }
    for (const std::wstring& entry : entries) {
        if (const std::optional<std::uint64_t> found = Identity(entry + L"\\" + typed)) return found;
    }
    return std::nullopt;
}

// The file a record names is the one that CreateFileW opens for the same
// text from the same current folder: hundreds of spellings a run, of every
// form that ClassifyPath tells but a share's, and names along PATHs of every
// kind of entry, of a few files, some of one name in two folders.
TEST_F(Resolution, OpensWhatCreateFileOpens)
{
    const std::uint32_t seed = TestSeed();
    std::mt19937 random(seed);
    const auto pick = [&random](std::size_t count) {
        return std::uniform_int_distribution<std::size_t>(0, count - 1)(random);
    };
    using Parts = std::vector<std::wstring>;
    Parts rootParts; // the root's folders, below the drive's root
    for (std::size_t start = 3, end = 0; start < root.size(); start = end + 1) {
        end = std::min(root.find(L'\\', start), root.size());
        rootParts.push_back(root.substr(start, end - start));
    }
    const std::vector<Parts> files = {
        {L"rnd", L"a.exe"}, {L"rnd", L"sub", L"a.exe"}, {L"rnd", L"sub", L"b.exe"}, {L"rnd", L"c.bat"},
        {L"rnd", L"d.exe"}, // no such file
        {L"rnd", L"e.exe"}, // a folder
        {L"rnd", L"sub", L"e.exe"},
    };
    const std::vector<Parts> currentFolders = {{}, {L"rnd"}, {L"rnd", L"sub"}};
    const std::wstring rnd = root + L"\\rnd";
    const PathList entryPool = {
        rnd, rnd + L"\\sub\\", Slashed(rnd), root + L"\\missing", L"\"" + rnd + L"\"", // full, and a quoted one
        L"rnd", L".\\sub", L"..\\rnd", L"sub",                                          // below the current folder
        rnd.substr(2) + L"\\sub", L"C:rnd", L"C:sub",                                   // rooted, drive-relative
    };
    // Parts joined by either separator, with . and zz\.. between them and
    // letters in either case; .. stays as it is.
    const auto spell = [&pick](const Parts& parts) {
        std::wstring spelling;
        for (std::size_t part = 0; part < parts.size(); ++part) {
            if (part > 0) spelling += pick(4) == 0 ? L'/' : L'\\';
            if (pick(8) == 0) spelling += std::wstring(L".") + (pick(2) ? L'\\' : L'/');
            if (pick(8) == 0) spelling += std::wstring(L"zz") + L'\\' + L".." + L'\\';
            std::wstring name = parts[part];
            for (wchar_t& unit : name) {
                if (unit >= L'a' && unit <= L'z' && pick(3) == 0) unit = static_cast<wchar_t>(unit - L'a' + L'A');
            }
            spelling += name;
        }
        return spelling;
    };
    const PathForm forms[] = {PathForm::Relative,      PathForm::Relative,      PathForm::Relative,
                              PathForm::FromCurrent,   PathForm::Rooted,        PathForm::DriveRelative,
                              PathForm::DriveAbsolute, PathForm::Device,        PathForm::LongPath,
                              PathForm::Literal};
    SetEnvironmentVariableW(L"NoDefaultCurrentDirectoryInExePath", nullptr);
    for (int i = 0; i < 500; ++i) {
        const Parts& file = files[pick(files.size())];
        const Parts& current = currentFolders[pick(currentFolders.size())];
        // The way from the current folder to the file: up to where they part, then down.
        std::size_t shared = 0;
        while (shared < current.size() && shared < file.size() && current[shared] == file[shared]) ++shared;
        Parts relative(current.size() - shared, L"..");
        relative.insert(relative.end(), file.begin() + static_cast<std::ptrdiff_t>(shared), file.end());
        Parts full = rootParts;
        full.insert(full.end(), file.begin(), file.end());
        // A spelling of one of the forms that ClassifyPath tells; names
        // searched along the PATH more often, and no share (a share needs
        // the prefix's dosdevices: the e2e rows have one).
        const PathForm form = forms[pick(std::size(forms))];
        const std::wstring separator = pick(2) ? L"\\" : L"/";
        std::wstring typed;
        switch (form) {
        case PathForm::Relative:
            typed = pick(3) == 0 ? spell(relative)
                                 : spell(Parts(file.end() - 1 - static_cast<std::ptrdiff_t>(pick(2)), file.end()));
            break;
        case PathForm::FromCurrent: typed = (pick(2) ? L"." : L"..") + separator + spell(relative); break;
        case PathForm::Rooted: typed = L"\\" + spell(full); break; // Wine reads /x as a Linux path
        case PathForm::DriveRelative: typed = L"C:" + spell(relative); break;
        case PathForm::Unc:
        case PathForm::DriveAbsolute: typed = L"C:" + separator + spell(full); break;
        case PathForm::Device: typed = L"\\\\.\\C:\\" + spell(full); break;
        case PathForm::LongPath: typed = L"//?/C:/" + spell(full); break;
        case PathForm::Literal: typed = L"\\\\?\\C:\\" + spell(full); break;
        }
        if (pick(6) == 0) typed += pick(2) ? L"." : L" ";
        PathList entries;
        for (std::size_t count = pick(5); count > 0; --count) entries.push_back(entryPool[pick(entryPool.size())]);

        std::wstring folder = root;
        for (const std::wstring& part : current) folder += L"\\" + part;
        SetCurrentDirectoryW(folder.c_str());
        std::wstring path;
        for (const std::wstring& entry : entries) path += entry + L";";
        const std::string what = "seed " + std::to_string(seed) + ": " + Utf8(typed) + " in " + Utf8(folder) +
                                 ", PATH=" + Utf8(path);
        TargetRecord record;
        const std::string failure = Outcome(typed, folder, Path(entries), record);
        if (form == PathForm::Device) {
            EXPECT_NE("", failure) << what << " started"; // \\.\ never starts, whatever it opens
            continue;
        }
        const std::optional<std::uint64_t> opened = WindowsOpens(typed, entries);
        if (!opened) {
            EXPECT_NE("", failure) << what << " opened " << Utf8(record.opened);
            continue;
        }
        ASSERT_EQ("", failure) << what;
        EXPECT_EQ(opened, Identity(record.opened)) << what << " opened " << Utf8(record.opened);
    }
    SetCurrentDirectoryW(L"C:\\");
}

} // namespace
