#pragma once

#include "EnvironmentVariable.h"
#include "TargetRecord.h"

#include <string>

// The one resolution of a typed target, made before anything else, from the
// name as typed, the current folder and the PATH's entries. By its form
// (ClassifyPath), a name is:
// - written in full (C:\..., C:x, \\server\share\..., \\?\...): that file,
//   started in its own folder, its folder kept in the index unless the PATH
//   has it;
// - any other: looked for in the current folder (unless Windows is told not
//   to), started there; then, unless it is .\, ..\ or \ before a name, along
//   the PATH, started in the entry's folder.
// Throws RvWinException when nothing startable is found (with a hint where
// an extension would have found a file), when the record is refused, and,
// with usage, when the PATH is needed but not set.
TargetRecord Resolve(const std::wstring& typed, const std::wstring& currentFolder, const PathEntries& path);

// The record of "su": Windows' command prompt in the system folder.
TargetRecord CommandPromptRecord();
