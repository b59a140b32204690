#pragma once

#include <string>

// The process's current directory, however long. Throws RvWinException when
// the system cannot tell it.
std::string ReadCurrentDirectory();
