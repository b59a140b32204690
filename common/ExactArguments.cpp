#include "ExactArguments.h"

#include "AnsiText.h"
#include "WinHandle.h"

#include <windows.h>
#include <shellapi.h>

bool ArgumentsAreExact(int argc, char** argv)
{
    const wchar_t* commandLine = GetCommandLineW();
    if (ToExactAnsi(commandLine)) return true; // argv was split from these very bytes
    int count = 0;
    wchar_t** split = CommandLineToArgvW(commandLine, &count);
    if (split == nullptr) return false;
    LocalMemory owner(split);
    return ArgumentsMatch(std::vector<std::wstring>(split, split + count), argc, argv);
}

bool ArgumentsMatch(const std::vector<std::wstring>& given, int argc, char** argv)
{
    if (given.size() != static_cast<std::size_t>(argc)) return false;
    for (int i = 1; i < argc; ++i) {
        const std::optional<std::string> exact = ToExactAnsi(given[i]);
        if (!exact || *exact != argv[i]) return false;
    }
    return true;
}
