#include "PathVariable.h"

#include "CurrentDirectory.h"
#include "EnvironmentVariable.h"

PathList PathDirectories()
{
    return SplitText(EnvironmentVariable(L"PATH").Value(), L';');
}

PathList PathSearchDirectories()
{
    PathList directories;
    for (std::wstring& entry : PathDirectories()) {
        if (IsFullPath(entry)) {
            directories.push_back(std::move(entry));
        } else if (std::optional<std::wstring> full = FullPathName(entry)) {
            directories.push_back(std::move(*full));
        }
    }
    return directories;
}

PathList GetUpperPathDirectories()
{
    PathList directories = PathDirectories();
    for (std::wstring& entry : directories) entry = ToUpperAscii(entry);
    return directories;
}
