#include "PathContext.h"

#include "AnsiText.h"
#include "PathText.h"

#include <stdexcept>

std::string PathContext::ToFullPath(std::string path, bool useBaseDirectory) const
{
    if (path.empty()) throw std::runtime_error("パスが空です。");
    if (path.size() < 2) throw std::out_of_range("invalid string position");
    if (IsAbsoluteTarget(path)) return path;

    const std::string& base = useBaseDirectory ? baseDirectory : currentDirectory;
    // \Tools\tool.exe is below the root of the base's drive or share.
    if (path[0] == '\\') return DirectoryRoot(base) + path;
    // Only .\ and ..\ are folders; .x.exe and ..x.exe are names like any other.
    if (path.compare(0, 3, "..\\") == 0) return base.substr(0, FindLastCharacter(base, '\\')) + path.substr(2);
    if (path.compare(0, 2, ".\\") == 0) return base + path.substr(1);
    return base + '\\' + path;
}
