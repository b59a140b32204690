#pragma once

#include <string>

// Printed for no argument or "help".
std::string ShortHelp();

// Printed below the message of a standard exception.
std::string LongUsage();
