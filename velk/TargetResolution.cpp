// The ways of finding the program that velk is asked to start.
#include "ElevatedCommand.h"

#include "AnsiText.h"
#include "PathExists.h"
#include "PathIndex.h"
#include "PathVariable.h"
#include "RvWinException.h"

void ElevatedCommand::ResolveDrivePath(std::string target)
{
    PathIndex index;
    if (!PathExists(target)) throw RvWinException("指定されたファイルが見つかりません。");
    file = target;
    directory = DrivePathDirectory(target);

    // Remember the folder unless the PATH has it (letter case aside) or the
    // index lists it already (letter case counting).
    const TextList onPath = GetUpperPathDirectories();
    if (!ListContains(onPath.begin(), onPath.end(), ToUpperAscii(directory)) && !index.contains(directory)) {
        index.add(directory);
    }
}

void ElevatedCommand::ResolveRelativePath(std::string target)
{
    file = ToFullPath(target, false);
    directory = currentDirectory;
}

bool ElevatedCommand::FindOnPath(std::string target)
{
    const std::size_t folderEnd = FindLastCharacter(target, '\\');
    for (const std::string& entry : PathDirectories()) {
        const std::string candidate = entry + '\\' + target;
        if (!PathExists(candidate)) continue;
        file = candidate;
        directory = folderEnd == std::string::npos ? entry : entry + '\\' + target.substr(0, folderEnd);
        return true;
    }
    return false;
}
