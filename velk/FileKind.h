#pragma once

#include "TargetRecord.h"

#include <string>

// What Windows finds at the file that it opens (OpenedFile's form), at any
// length:
// - a device (NUL, CON, COM1 ... in any folder, which GetFullPathName makes
//   \\.\NAME; after \\?\, a name in no folder);
// - a stream (file:stream), told from the name alone, as Windows documents
//   the syntax (Wine has no streams);
// - nothing: no file, a folder with a stream's colon, or a folder, which
//   the shell would open in Explorer, and which must not hide a program of
//   that name in a later PATH entry;
// - else the file, by the kind its name gives it (KindByName).
// A 32-bit program on 64-bit Windows is shown SysWOW64 wherever it names
// System32; this looks at the folders themselves, as the consent prompt's
// program does.
TargetKind FileKind(const std::wstring& opened);

// What a file is by its name, once the trailing dots and spaces that
// Windows drops from a file name are gone (run.BAT. . is run.bat), in any
// letter case: a batch file (.bat, .cmd), which Windows runs through cmd.exe;
// a shortcut (.lnk, .pif), whose arguments the shell hands on to what it
// leads to, a batch file maybe; else a program.
TargetKind KindByName(const std::wstring& file);
