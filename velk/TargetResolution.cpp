// The ways of finding the program that velk is asked to start.
#include "ElevatedCommand.h"

#include "AnsiText.h"
#include "CurrentDirectory.h"
#include "ProgramFile.h"
#include "PathIndex.h"
#include "PathVariable.h"
#include "RvWinException.h"

void ElevatedCommand::ResolveDrivePath(std::string target)
{
    PathIndex index;
    if (!UseIfPresent(target, DrivePathDirectory(target))) {
        throw RvWinException("指定されたファイルが見つかりません。", ERROR_FILE_NOT_FOUND);
    }

    // Remember the folder unless the PATH has it (letter case aside) or the
    // index lists it already (letter case counting), in the one spelling
    // that every way of writing it comes to.
    const std::string folder = PlainFolder(file);
    const TextList onPath = GetUpperPathDirectories();
    if (!ListContains(onPath.begin(), onPath.end(), ToUpperAscii(folder)) && !index.contains(folder)) {
        index.add(folder);
    }
}

bool ElevatedCommand::ResolveRelativePath(std::string target)
{
    return SearchesCurrentDirectory(target) && UseIfPresent(ToFullPath(target, false), currentDirectory);
}

bool ElevatedCommand::FindOnPath(std::string target)
{
    const std::size_t folderEnd = FindLastSeparator(target);
    for (const std::string& entry : PathSearchDirectories()) {
        const std::string folder = folderEnd == std::string::npos ? entry : entry + '\\' + target.substr(0, folderEnd);
        if (UseIfPresent(entry + '\\' + target, folder)) return true;
    }
    return false;
}

bool ElevatedCommand::UseIfPresent(const std::string& path, const std::string& workingDirectory)
{
    if (!IsProgramFile(path)) return false;
    file = path;
    directory = workingDirectory;
    return true;
}
