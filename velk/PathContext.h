#pragma once

#include <string>

// The directories against which relative targets are resolved. Empty when
// the current directory has no exact form in the ANSI code page: then
// nothing is looked for relative to it.
struct PathContext {
    std::string baseDirectory;
    std::string currentDirectory;

    // The path made absolute against baseDirectory (useBaseDirectory) or
    // currentDirectory. A path whose second byte is ':' or that begins with
    // two separators is taken as absolute; one leading separator means the
    // root of the base's drive or share, a leading ..\ climbs one folder of
    // the base, a leading .\ means the base itself (/ reading as \ in each);
    // any other leading dot is part of a name. Throws
    // std::runtime_error for an empty path and std::out_of_range for a
    // one-byte one.
    std::string ToFullPath(std::string path, bool useBaseDirectory) const;
};
