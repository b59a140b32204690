// Batch files as Windows itself runs what velk asks for. Wine's shell starts a
// batch file as CreateProcess does, and an elevated cmd.exe in the folder
// asked; Windows runs the runas verb of the batch file's class,
// cmd.exe /C "%1" %*, and starts an elevated cmd.exe in System32. So the
// recorder, standing in for cmd.exe, writes down what velk asked the shell to
// start, and the test runs that, as Windows would, with Wine's real cmd.exe
// (kept as C:\windows\wine-cmd.exe in the test prefix).
#include "VelkFixture.h"

#include "AnsiText.h"
#include "CommandLine.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <random>
#include <vector>

namespace {

// The command line that Windows runs for a request that the recorder wrote
// down: velk's own cmd.exe line as it stands; for a request that named the
// batch file itself, which Wine's shell turns into cmd.exe /s/c ""FILE" P",
// the verb that Windows ships for batch files: cmd.exe /C "FILE" P.
std::string AsWindowsRunsIt(const std::string& request)
{
    const std::string line = request.substr(0, request.find('\n'));
    const std::string wine = " /s/c \"";
    const std::size_t at = line.find(wine);
    if (at == std::string::npos) return line;
    return "C:\\Windows\\System32\\cmd.exe /C " + line.substr(at + wine.size(), line.size() - at - wine.size() - 1);
}

// velk's command line for a target and its arguments, each as its runtime
// splits it back.
std::string VelkArguments(const std::string& target, const std::vector<std::string>& arguments)
{
    std::wstring line;
    AppendQuotedArgument(line, Wide(target));
    for (const std::string& argument : arguments) {
        line += L' ';
        AppendQuotedArgument(line, Wide(argument));
    }
    return ToExactCodePage(line, 932).value_or("?");
}

// A seeded list of arguments made of what cmd.exe reads as commands, blanks
// and names; velk passes each as data. VELK_TEST_SEED replays a run.
std::vector<std::string> RandomArguments()
{
    const char* given = std::getenv("VELK_TEST_SEED");
    const unsigned seed = given ? static_cast<unsigned>(std::strtoul(given, nullptr, 10)) : std::random_device()();
    std::cout << "VELK_TEST_SEED=" << seed << "\n";
    std::mt19937 random(seed);
    const std::vector<std::string> pieces = {"a", "Z", "0", " ", "\t", "&", "|", "<", ">", "^", "(", ")", ",",
                                             ";", "=", "!", "\\", "/", "'", "`", "ソ", "表", "x.exe", "&calc"};
    std::vector<std::string> arguments(16);
    for (std::string& argument : arguments) {
        const std::size_t length = std::uniform_int_distribution<std::size_t>(0, 6)(random);
        for (std::size_t i = 0; i < length; ++i) {
            argument += pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(random)];
        }
    }
    return arguments;
}

TEST_F(Velk, BatchFileRunsAsWindowsWouldRunIt)
{
    // The arguments of Rust's standard library's batch-file tests that hold
    // no " and no % (which velk refuses), then a seeded random list.
    const std::vector<std::string> rust = {
        "a", "b", "c is for cat", "d is for dog", "\\", "\\", ">file.txt", "whoami.exe", "&a.exe", "&echo hello ",
        "&echo hello", "&whoami", "!TMP!", "key=value", "key = value", "", "a=b", "key=[my_value]",
        "key\\=value", "key=&whoami", "key=[>file.txt]", "hello &echo oh no >file.txt", "&whoami.exe",
    };
    const std::vector<std::string> random = RandomArguments();
    const std::string requestLog = root + "\\request.txt";
    const std::string injected = root + "\\injected.txt";
    const std::string batch = "@setlocal\r\n@set RECORDER_LOG=" + log + "\r\n@\"%~dp0recorder.exe\" %*\r\n";
    const std::string blank = root + "\\Program Files (x86)\\App";
    const std::string ampersand = root + "\\a&b";
    const std::string onPath = root + "\\onpath";
    const std::string here = root + "\\here";
    for (const std::string& folder : {blank, ampersand, onPath, here + "\\sub"}) {
        PlaceRecorder(folder + "\\recorder.exe");
        PlaceRecorder(folder + "\\x.exe");
        WriteFileBytes(folder + "\\run.bat", batch);
        WriteFileBytes(folder + "\\run.cmd", batch);
    }
    env.Set("PATH", "C:\\windows\\system32;" + onPath);
    Environment replay = env;
    replay.Set("RECORDER_LOG", injected); // whatever else starts
    env.Set("RECORDER_LOG", requestLog);  // the recorder as cmd.exe
    const char* const windowsCmd = "C:\\windows\\wine-cmd.exe";

    struct Case {
        std::string target;
        std::vector<std::string> arguments;
        std::string directory; // where the batch file runs
        std::string velkFolder = "C:\\";
        DWORD exitCode = 0; // the batch file's, which is cmd.exe's, which velk waits for
    };
    const Case cases[] = {
        {blank + "\\run.bat", rust, blank},
        {ampersand + "\\run.cmd", random, ampersand},
        {"run.bat", {"a b", "&x.exe"}, onPath, "C:\\", 3010}, // found on the PATH
        {"sub\\run.bat", {"(a)", ""}, here, here},             // in velk's current folder
    };
    for (const Case& c : cases) {
        const std::string arguments = VelkArguments(c.target, c.arguments);
        replay.Set("RECORDER_EXIT", std::to_string(c.exitCode));
        for (const std::string& file : {requestLog, log, injected}) DeleteFileA(file.c_str());
        const ProcessResult velk = Run(arguments, c.velkFolder);
        ASSERT_EQ("", velk.output) << arguments;
        ASSERT_TRUE(WaitForFile(requestLog, 30000)) << arguments << ": nothing was asked of the shell";
        const std::string request = AsWindowsRunsIt(ReadFileBytes(requestLog).substr(13)); // past "command line="

        const ProcessResult windows = RunProcess(request, "C:\\windows\\system32", replay, windowsCmd);
        std::string expected = "directory=" + c.directory + "\n";
        for (const std::string& argument : c.arguments) expected += "argument=" + argument + "\n";
        const std::string record = Record();
        EXPECT_EQ(expected, record.substr(std::min(record.size(), record.find("\ndirectory=") + 1)))
            << arguments << "\nran: " << request;
        EXPECT_EQ(c.exitCode, windows.exitCode) << request;
        EXPECT_FALSE(FileExists(injected)) << request << ": started " << ReadFileBytes(injected);
        EXPECT_FALSE(FileExists(c.directory + "\\file.txt")) << request;
    }
}

} // namespace
