#include "PathContext.h"

#include "PathText.h"

std::wstring PathContext::ToFullPath(std::wstring path, bool useBaseDirectory) const
{
    if (IsAbsoluteTarget(path)) return path;

    const std::wstring& base = useBaseDirectory ? baseDirectory : currentDirectory;
    // Only .\ and ..\ are folders; .x.exe and ..x.exe are names like any
    // other. / reads as \ throughout.
    switch (LeadingFolderLength(path)) {
    case 1: return DirectoryRoot(base) + path; // \Tools\tool.exe: below the root of the base's drive or share
    case 2: return JoinPath(base, path.substr(1));
    case 3: return JoinPath(base.substr(0, base.rfind(L'\\')), path.substr(2));
    default: return JoinPath(base, path);
    }
}
