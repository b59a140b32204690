// The ways of finding the program that velk is asked to start.
#include "ElevatedCommand.h"

#include "AnsiText.h"
#include "EnvironmentVariable.h"
#include "PathText.h"
#include "RvWinException.h"

#include <shlwapi.h>

namespace {

bool PathExists(const std::string& path)
{
    return PathFileExistsA(path.c_str()) != FALSE;
}

TextList PathDirectories()
{
    return SplitText(EnvironmentVariable("PATH").Value(), ';');
}

} // namespace

void ElevatedCommand::ResolveDrivePath(std::string target)
{
    if (!PathExists(target)) throw RvWinException("指定されたファイルが見つかりません。");
    file = target;
    directory = DrivePathDirectory(target);
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
