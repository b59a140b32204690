#pragma once

#include "PathVariable.h"
#include "TargetRecord.h"

#include <string>

// The one resolution of a typed target, made before anything else: the
// record of the file that Windows opens for it, its kind, the text the shell
// is given, the working folder and the index line. The caller hands in all
// it reads: the name as typed, the current folder and the PATH's entries.
// - A name written in full (C:\..., C:x, \\server\share\..., \\?\...) is
//   that file, started in its own folder, and keeps its folder in the index
//   unless the PATH has it.
// - Any other is looked for in the current folder (unless Windows is told
//   not to), started there; then, unless it names the current folder or its
//   drive's root (.\, ..\, \), along the PATH, started in the entry's folder.
// Throws RvWinException when nothing startable is found (with a hint where
// an extension would have found a file), when the record is refused (a
// stream, the device namespace, a path that %NAME% expansion or cmd.exe
// would turn into another), and, with usage, when the PATH is needed but not
// set.
TargetRecord Resolve(const std::wstring& typed, const std::wstring& currentFolder, const PathEntries& path);

// The record of "su": Windows' command prompt in the system folder.
TargetRecord CommandPromptRecord();
