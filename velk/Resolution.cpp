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
    throw RvWinException::FromText(text, ERROR_FILE_NOT_FOUND);
}

// The record of the file that Windows opens for path, which the shell is
// to be given as it stands, started in the folder that holds it.
TargetRecord Examine(const std::wstring& path)
{
    TargetRecord record;
    record.shellFile = path;
    record.opened = OpenedFile(path);
    record.kind = FileKind(record.opened);
    record.directory = AsWorkingFolder(PlainFolder(record.opened));
    // cmd.exe cannot run a \\?\ path (it ends with 9009): it gets the
    // plain form where that names the same file.
    if (record.kind == TargetKind::BatchFile && ClassifyPath(record.opened).form == PathForm::Literal) {
        if (const std::optional<std::wstring> plain = PlainFormOfLiteralPath(record.opened)) record.shellFile = *plain;
    }
    return record;
}

// Why velk will not hand this record to the shell, or null.
// Windows documents %NAME% expansion in the file and the working folder
// only under SEE_MASK_DOENVSUBST, which velk never sets; Wine's shell
// expands them regardless, and cmd.exe expands %NAME% in its whole /c line,
// the batch file's own path included, in an environment that velk cannot
// see (the elevated one). Either would turn the checked file into another.
const char* RefusalOf(const TargetRecord& record)
{
    const PathForm form = ClassifyPath(record.shellFile).form;
    if (form == PathForm::Device) return "デバイスの名前空間のパス (\\\\.\\) は起動しません。";
    // Windows' documented syntax for a stream is file:stream (run.bat::$DATA
    // opens run.bat itself), and the shell would read the stream's name as
    // the extension: which program runs, and how it reads its arguments,
    // nobody could tell. (Wine has no streams, so it cannot show this.)
    if (record.kind == TargetKind::Stream) return "ストリーム名 (ファイル名の後の :) が付いたパスは起動しません。";
    if (!record.IsStartable()) return nullptr;
    if (record.kind == TargetKind::BatchFile && (form == PathForm::LongPath || form == PathForm::Literal)) {
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

// The folder that the index records for a start by full path: none when
// the PATH has it (letter case aside).
std::optional<std::wstring> IndexLine(const std::wstring& folder, const PathEntries& path)
{
    const std::wstring upper = ToUpperAscii(folder);
    for (const std::wstring& entry : path.Get()) {
        if (ToUpperAscii(entry) == upper) return std::nullopt;
    }
    return folder;
}

// The folder that a PATH entry names, for the search: written in full with
// backslashes (C:\bin, \\server\share), as it stands; any other as Windows
// reads it (C:bin in drive C's current folder, C:/bin), bin, .\bin and \bin
// as cmd.exe takes them, below the current folder or at its drive's root.
std::optional<std::wstring> SearchFolder(const std::wstring& entry, const std::wstring& currentFolder)
{
    switch (ClassifyPath(entry).form) {
    case PathForm::Relative:
    case PathForm::FromCurrent:
    case PathForm::Rooted: return FullPathName(ToFullPath(entry, currentFolder));
    case PathForm::DriveRelative: return FullPathName(entry);
    case PathForm::DriveAbsolute: return entry[2] == L'\\' ? entry : FullPathName(entry);
    default: return entry[0] == L'\\' && entry[1] == L'\\' ? entry : FullPathName(entry);
    }
}

// The record for a target of this form (kind Nothing: none found).
TargetRecord Find(const std::wstring& named, PathForm form, const std::wstring& currentFolder, const PathEntries& path)
{
    if (form > PathForm::Rooted) {
        TargetRecord record = Examine(named);
        // C:dr\x.exe is read in drive C's current folder, which is velk's and
        // not the started program's: the shell gets the full path.
        if (form == PathForm::DriveRelative) record.shellFile = record.opened;
        return record;
    }
    // What is found in the current folder starts there. .\tool.exe names the
    // current folder's tool.exe, \tool.exe the one at the root of its drive,
    // never one on the PATH.
    TargetRecord record;
    if (SearchesCurrentDirectoryFor(named)) {
        record = Examine(ToFullPath(named, currentFolder));
        record.directory = currentFolder;
    }
    if (record.kind != TargetKind::Nothing || form != PathForm::Relative) return record;
    // The first entry where Windows would open something wins, a device or
    // a stream too: that is what a start would reach.
    for (const std::wstring& entry : path.Get()) {
        if (const std::optional<std::wstring> folder = SearchFolder(entry, currentFolder)) {
            record = Examine(JoinPath(*folder, named));
            if (record.kind != TargetKind::Nothing) return record;
        }
    }
    return {};
}

} // namespace

TargetRecord Resolve(const std::wstring& typed, const std::wstring& currentFolder, const PathEntries& path)
{
    const PathForm form = ClassifyPath(typed).form;
    const bool absolute = form > PathForm::Rooted;
    const auto resolve = [&](const std::wstring& named) { return Find(named, form, currentFolder, path); };
    TargetRecord record = resolve(typed);
    if (const char* refusal = RefusalOf(record)) throw RvWinException::FromText(refusal, ERROR_INVALID_NAME);
    if (!record.IsStartable()) {
        ThrowNotFound(absolute ? "指定されたファイルが見つかりません。" : "指定されたファイルが見つかりませんでした。", typed,
                      [&resolve](const std::wstring& named) {
                          const TargetRecord found = resolve(named);
                          return found.IsStartable() && RefusalOf(found) == nullptr;
                      });
    }
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
