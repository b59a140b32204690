// The ways of finding the program that velk is asked to start.
#include "ElevatedCommand.h"

#include "CurrentDirectory.h"
#include "PathText.h"
#include "PathVariable.h"
#include "ProgramFile.h"
#include "RvWinException.h"

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
    return record;
}

// The folder that the index records for a start by full path: none when
// the PATH has it (letter case aside).
std::optional<std::wstring> IndexLine(const std::wstring& folder)
{
    const PathList onPath = GetUpperPathDirectories();
    if (ListContains(onPath.begin(), onPath.end(), ToUpperAscii(folder))) return std::nullopt;
    return folder;
}

} // namespace

TargetRecord ElevatedCommand::Resolve(const std::wstring& typed) const
{
    const bool absolute = IsAbsoluteTarget(typed);
    const auto resolve = [this, absolute](const std::wstring& named) {
        return absolute ? ResolveDrivePath(named) : ResolveByName(named);
    };
    TargetRecord record = resolve(typed);
    // Windows' documented syntax for a stream is file:stream (run.bat::$DATA
    // opens run.bat itself), and the shell would read the stream's name as
    // the extension: which program runs, and how it reads its arguments,
    // nobody could tell. (Wine has no streams, so it cannot show this.)
    if (record.kind == TargetKind::Stream) {
        throw RvWinException("ストリーム名 (ファイル名の後の :) が付いたパスは起動しません。", ERROR_INVALID_NAME);
    }
    if (!record.IsStartable()) {
        ThrowNotFound(absolute ? "指定されたファイルが見つかりません。" : "指定されたファイルが見つかりませんでした。", typed,
                      [&resolve](const std::wstring& named) { return resolve(named).IsStartable(); });
    }
    // Starts by full path keep their folder in the index, unless the PATH
    // has it.
    if (absolute) record.indexLine = IndexLine(record.directory);
    return record;
}

TargetRecord ElevatedCommand::ResolveDrivePath(const std::wstring& target) const
{
    TargetRecord record = Examine(target);
    record.directory = PlainFolder(record.opened);
    return record;
}

TargetRecord ElevatedCommand::ResolveByName(const std::wstring& target) const
{
    // .\tool.exe names the current folder's tool.exe, \tool.exe the one at
    // the root of its drive, never one on the PATH.
    TargetRecord record = ResolveRelativePath(target);
    if (record.kind != TargetKind::Nothing || NamesCurrentDirectory(target)) return record;
    return FindOnPath(target);
}

TargetRecord ElevatedCommand::ResolveRelativePath(const std::wstring& target) const
{
    if (!SearchesCurrentDirectoryFor(target)) return TargetRecord();
    TargetRecord record = Examine(ToFullPath(target, false));
    record.directory = currentDirectory;
    return record;
}

TargetRecord ElevatedCommand::FindOnPath(const std::wstring& target) const
{
    // The first entry where Windows would open something wins, a device or
    // a stream too: that is what a start would reach.
    for (const std::wstring& entry : PathSearchDirectories()) {
        TargetRecord record = Examine(JoinPath(entry, target));
        if (record.kind == TargetKind::Nothing) continue;
        record.directory = PlainFolder(record.opened);
        // A drive's root keeps its backslash, as the entry names it: C:
        // alone would be drive C's current folder.
        if (record.directory.size() == 2 && record.directory[1] == L':') record.directory += L'\\';
        return record;
    }
    return TargetRecord();
}
