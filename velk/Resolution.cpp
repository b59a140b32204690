// The ways of finding the program that velk is asked to start, and the
// rules that its record must pass before the shell is given it.
#include "Resolution.h"

#include "EnvironmentVariable.h"
#include "FileKind.h"
#include "PathText.h"
#include "RvWinException.h"
#include "SystemPrograms.h"
#include "WindowsPaths.h"

#include <functional>
#include <optional>

namespace {

// The target with the first of the extensions that Windows would have
// tried for it that finds a file by the way that found nothing; nothing
// for a name that has an extension already.
std::optional<std::wstring> WithExtensionThatFinds(const std::wstring& target,
                                                   const std::function<bool(const std::wstring&)>& finds)
{
    const std::size_t name = FindLastSeparator(target);
    if (target.find(L'.', name == std::wstring::npos ? 0 : name + 1) != std::wstring::npos) return std::nullopt;
    for (const wchar_t* extension : {L".exe", L".com", L".bat", L".cmd"}) {
        if (finds(target + extension)) return target + extension;
    }
    return std::nullopt;
}

// What velk found nothing for: message (CP932), and a line that names the
// target as it would have been found, since velk adds no extension.
[[noreturn]] void ThrowNotFound(const char* message, const std::wstring& target,
                                const std::function<bool(const std::wstring&)>& finds)
{
    OutputText text(message);
    if (const std::optional<std::wstring> found = WithExtensionThatFinds(target, finds)) {
        text.Own("\nvelk は拡張子を補いません。").Wide(*found).Own(" と指定してください。");
    }
    throw RvWinException(text, ERROR_FILE_NOT_FOUND);
}

// The record of the file that Windows opens for path, which the shell is
// to be given as it stands.
TargetRecord Examine(const std::wstring& path)
{
    TargetRecord record;
    record.shellFile = path;
    record.opened = OpenedFile(path);
    record.kind = FileKind(record.opened);
    // cmd.exe cannot run a \\?\ path (it ends with 9009): it gets the
    // plain form where that names the same file.
    if (record.kind == TargetKind::BatchFile && HasLiteralPrefix(record.opened)) {
        if (const std::optional<std::wstring> plain = PlainFormOfLiteralPath(record.opened)) record.shellFile = *plain;
    }
    return record;
}

// Why velk will not hand this record to the shell, or null. Each is
// refused before anything starts or is recorded.
//
// Windows documents %NAME% expansion in the file and the working folder
// only under SEE_MASK_DOENVSUBST, which velk never sets; Wine's shell
// expands them regardless, and cmd.exe expands %NAME% in its whole /c line,
// the batch file's own path included, in an environment that velk cannot
// see (the elevated one). Either would turn the checked file into another.
const char* RefusalOf(const TargetRecord& record)
{
    if (NamesDeviceNamespace(record.shellFile)) return "デバイスの名前空間のパス (\\\\.\\) は起動しません。";
    // Windows' documented syntax for a stream is file:stream (run.bat::$DATA
    // opens run.bat itself), and the shell would read the stream's name as
    // the extension: which program runs, and how it reads its arguments,
    // nobody could tell. (Wine has no streams, so it cannot show this.)
    if (record.kind == TargetKind::Stream) return "ストリーム名 (ファイル名の後の :) が付いたパスは起動しません。";
    if (!record.IsStartable()) return nullptr;
    if (record.kind == TargetKind::BatchFile && HasLongPathSpelling(record.shellFile)) {
        return "cmd.exe は \\\\?\\ で始まるパスを実行できないため、このバッチファイルは起動しません。";
    }
    if (record.GetsBatchRules() && record.shellFile.find(L'%') != std::wstring::npos) {
        return "パスに % があるバッチファイルやショートカットは起動しません。";
    }
    // The working folder is part of cmd.exe's line too (\run.bat from C:\d%x%).
    if (record.kind == TargetKind::BatchFile && record.directory.find(L'%') != std::wstring::npos) {
        return "作業フォルダーに % があるため、このバッチファイルは起動しません。";
    }
    if (ChangesWhenExpanded(record.shellFile)) {
        return "パスに環境変数として展開される部分 (%名前%) があるため起動しません。";
    }
    if (ChangesWhenExpanded(record.directory)) {
        return "作業フォルダーに環境変数として展開される部分 (%名前%) があるため起動しません。";
    }
    return nullptr;
}

// Whether a start could go ahead with this record.
bool Starts(const TargetRecord& record)
{
    return record.IsStartable() && RefusalOf(record) == nullptr;
}

// The folder that the index records for a start by full path: none when
// the PATH has it (letter case aside).
std::optional<std::wstring> IndexLine(const std::wstring& folder, const PathEntries& path)
{
    const PathList& entries = path.Get();
    const std::wstring upper = ToUpperAscii(folder);
    for (const std::wstring& entry : entries) {
        if (ToUpperAscii(entry) == upper) return std::nullopt;
    }
    return folder;
}

// The folders that the PATH's entries name, for the search: an entry with a
// drive (C:\bin, or C:bin in drive C's current folder) or two separators as
// Windows reads it, any other (bin, .\bin, \bin) as cmd.exe takes it, below
// the current folder or at its drive's root.
PathList SearchFolders(const PathEntries& path, const std::wstring& currentFolder)
{
    PathList folders;
    for (const std::wstring& entry : path.Get()) {
        if (IsFullPath(entry)) {
            folders.push_back(entry);
            continue;
        }
        const std::wstring full = IsAbsoluteTarget(entry) ? entry : ToFullPath(entry, currentFolder);
        if (std::optional<std::wstring> folder = FullPathName(full)) folders.push_back(std::move(*folder));
    }
    return folders;
}

// What a way of finding a target found (kind Nothing: nothing), and whether
// in the current folder, which is then its working folder.
struct Found {
    TargetRecord record;
    bool inCurrentFolder = false;
};

// The ways of finding a target.
Found ResolveFullPath(const std::wstring& named)
{
    TargetRecord record = Examine(named);
    // C:dr\x.exe is read in drive C's current folder, which is velk's and
    // not the started program's: the shell gets the full path.
    if (!IsWrittenInFull(named)) record.shellFile = record.opened;
    return {record, false};
}

Found ResolveInCurrentFolder(const std::wstring& named, const std::wstring& currentFolder)
{
    if (!SearchesCurrentDirectoryFor(named)) return {};
    return {Examine(ToFullPath(named, currentFolder)), true};
}

Found FindOnPath(const std::wstring& named, const std::wstring& currentFolder, const PathEntries& path)
{
    // The first entry where Windows would open something wins, a device or
    // a stream too: that is what a start would reach.
    for (const std::wstring& folder : SearchFolders(path, currentFolder)) {
        TargetRecord record = Examine(JoinPath(folder, named));
        if (record.kind != TargetKind::Nothing) return {record, false};
    }
    return {};
}

Found ResolveByName(const std::wstring& named, const std::wstring& currentFolder, const PathEntries& path)
{
    // .\tool.exe names the current folder's tool.exe, \tool.exe the one at
    // the root of its drive, never one on the PATH.
    Found found = ResolveInCurrentFolder(named, currentFolder);
    if (found.record.kind != TargetKind::Nothing || NamesCurrentDirectory(named)) return found;
    return FindOnPath(named, currentFolder, path);
}

} // namespace

TargetRecord Resolve(const std::wstring& typed, const std::wstring& currentFolder, const PathEntries& path)
{
    const bool absolute = IsAbsoluteTarget(typed);
    const auto resolve = [&](const std::wstring& named) {
        Found found = absolute ? ResolveFullPath(named) : ResolveByName(named, currentFolder, path);
        // The working folder: the current one for what was found there, else
        // the folder that holds the file (a drive's root as C:\).
        found.record.directory =
            found.inCurrentFolder ? currentFolder : AsWorkingFolder(PlainFolder(found.record.opened));
        return found.record;
    };
    TargetRecord record = resolve(typed);
    if (const char* refusal = RefusalOf(record)) throw RvWinException(refusal, ERROR_INVALID_NAME);
    if (!record.IsStartable()) {
        ThrowNotFound(absolute ? "指定されたファイルが見つかりません。" : "指定されたファイルが見つかりませんでした。", typed,
                      [&resolve](const std::wstring& named) { return Starts(resolve(named)); });
    }
    // Starts by full path keep their folder in the index, unless the PATH
    // has it.
    if (absolute) record.indexLine = IndexLine(PlainFolder(record.opened), path);
    return record;
}

TargetRecord CommandPromptRecord()
{
    TargetRecord record;
    record.kind = TargetKind::Program;
    record.directory = SystemFolder();
    record.opened = record.directory + L"\\cmd.exe";
    record.shellFile = record.opened;
    return record;
}
