#pragma once

#include <string>

// The directories against which relative targets are resolved.
struct PathContext {
    std::wstring baseDirectory;
    std::wstring currentDirectory;

    // The path made absolute against baseDirectory (useBaseDirectory) or
    // currentDirectory. A path that begins with a drive letter and a colon or
    // with two separators is taken as absolute; one leading separator means
    // the root of the base's drive or share, a leading ..\ climbs one folder
    // of the base, a leading .\ means the base itself (/ reading as \ in
    // each); any other leading dot is part of a name. The dispatcher has
    // refused a name too short to be one before.
    std::wstring ToFullPath(std::wstring path, bool useBaseDirectory) const;
};
