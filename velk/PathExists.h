#pragma once

#include <string>

// True when a file or a folder exists at path. A 32-bit program on 64-bit
// Windows is shown SysWOW64 wherever it names System32; this looks at the
// folders themselves, as the program that the consent prompt starts does.
bool PathExists(const std::string& path);
