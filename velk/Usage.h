#pragma once

#include <ostream>

// Printed for no argument or "help".
void PrintShortHelp(std::ostream& out);

// Printed below the message of a standard exception.
void PrintLongUsage(std::ostream& out);
