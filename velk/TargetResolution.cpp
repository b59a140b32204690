// The ways of finding the program that velk is asked to start.
#include "ElevatedCommand.h"

#include "AnsiText.h"
#include "CurrentDirectory.h"
#include "PathIndex.h"
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

} // namespace

void ElevatedCommand::Resolve(const std::wstring& target)
{
    if (IsAbsoluteTarget(target)) {
        ResolveDrivePath(target);
        return;
    }
    if (!ResolveByName(target)) {
        ThrowNotFound("指定されたファイルが見つかりませんでした。", target,
                      [this](const std::wstring& named) { return ResolveByName(named); });
    }
}

void ElevatedCommand::ResolveDrivePath(std::wstring target)
{
    PathIndex index;
    if (!UseIfPresent(target)) {
        ThrowNotFound("指定されたファイルが見つかりません。", target, IsProgramFile);
    }

    // Remember the folder unless the PATH has it (letter case aside) or the
    // index lists it already (letter case counting), in the one spelling
    // that every way of writing it comes to. The index holds code page
    // bytes: a folder that the code page cannot name is not recorded.
    const PathList onPath = GetUpperPathDirectories();
    if (ListContains(onPath.begin(), onPath.end(), ToUpperAscii(directory))) return;
    const std::optional<std::string> line = ToExactAnsi(directory);
    if (line && !index.contains(*line)) index.add(*line);
}

bool ElevatedCommand::ResolveByName(const std::wstring& target)
{
    // .\tool.exe names the current folder's tool.exe, \tool.exe the one at
    // the root of its drive, never one on the PATH.
    return ResolveRelativePath(target) || (!NamesCurrentDirectory(target) && FindOnPath(target));
}

bool ElevatedCommand::ResolveRelativePath(std::wstring target)
{
    return SearchesCurrentDirectoryFor(target) && UseIfPresent(ToFullPath(target, false), &currentDirectory);
}

bool ElevatedCommand::FindOnPath(std::wstring target)
{
    for (const std::wstring& entry : PathSearchDirectories()) {
        if (!UseIfPresent(entry + L'\\' + target)) continue;
        // A drive's root keeps its backslash, as the entry names it: C:
        // alone would be drive C's current folder.
        if (directory.size() == 2 && directory[1] == L':') directory += L'\\';
        return true;
    }
    return false;
}

bool ElevatedCommand::UseIfPresent(const std::wstring& path, const std::wstring* workingDirectory)
{
    if (!IsProgramFile(path)) return false;
    file = path;
    directory = workingDirectory != nullptr ? *workingDirectory : PlainFolder(path);
    return true;
}
