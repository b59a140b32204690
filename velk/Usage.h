#pragma once

#include <string>

// Printed for no argument or "help", also after "wait".
std::string ShortHelp();

// Printed below every failure that asks for it (RvWinException::WithUsage).
std::string LongUsage();
