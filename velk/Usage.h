#pragma once

#include <string>

// Printed for no argument or "help", also after "wait".
std::string ShortHelp();

// Printed below the message of a standard exception.
std::string LongUsage();
