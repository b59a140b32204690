// Stands in for a started program (also as cmd.exe and net.exe in the test
// prefix). Writes down its command line, its parsed arguments and its working
// directory to the file named by RECORDER_LOG, waits RECORDER_WAIT
// milliseconds when that is set ("forever": until it is ended), then ends with
// the exit code given in RECORDER_EXIT (0 when unset).
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace {

std::string Variable(const char* name)
{
    char buffer[32768];
    const DWORD size = GetEnvironmentVariableA(name, buffer, sizeof buffer);
    return size == 0 || size >= sizeof buffer ? std::string() : std::string(buffer, size);
}

} // namespace

int main(int argc, char** argv)
{
    std::string log = Variable("RECORDER_LOG");
    if (log.empty()) return 99;

    char directory[32768];
    GetCurrentDirectoryA(sizeof directory, directory);

    std::string record;
    record += "command line=" + std::string(GetCommandLineA()) + "\n";
    record += "directory=" + std::string(directory) + "\n";
    for (int i = 1; i < argc; ++i) record += "argument=" + std::string(argv[i]) + "\n";

    // Written beside the log and moved over it, so a reader never sees half.
    const std::string partial = log + ".partial";
    {
        std::ofstream out(partial, std::ios::binary);
        out << record;
    }
    MoveFileExA(partial.c_str(), log.c_str(), MOVEFILE_REPLACE_EXISTING);

    const std::string wait = Variable("RECORDER_WAIT");
    if (wait == "forever") Sleep(INFINITE);
    if (!wait.empty()) Sleep(static_cast<DWORD>(std::atol(wait.c_str())));

    const std::string code = Variable("RECORDER_EXIT");
    // Any 32-bit code, in decimal or as 0x...
    return code.empty() ? 0 : static_cast<int>(std::strtoul(code.c_str(), nullptr, 0));
}
