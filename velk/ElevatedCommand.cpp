#include "ElevatedCommand.h"

#include "CommandLine.h"
#include "CurrentDirectory.h"
#include "ElevatedStart.h"
#include "PathIndex.h"
#include "PathText.h"
#include "RvWinException.h"
#include "StandardOutput.h"
#include "Usage.h"

#include <stdexcept>

namespace {

const char kHelpWord[] = "help";
const char kWaitWord[] = "wait";
const char kSystemDirectory[] = "C:\\Windows\\System32";
const char kCommandPrompt[] = "C:\\Windows\\System32\\cmd.exe";

} // namespace

ElevatedCommand::ElevatedCommand(int argc, char** argv, PathContext context) : PathContext(std::move(context))
{
    // "velk wait X..." is "velk X..." waited for: the rest is read as a
    // command line of its own, with "wait" in the place of velk's name.
    if (argc >= 2 && std::string(argv[1]) == kWaitWord) {
        waits = true;
        --argc;
        ++argv;
    }
    if (argc < 2 || std::string(argv[1]) == kHelpWord) {
        file = kHelpWord;
        return;
    }
    if (std::string(argv[1]) == "su") {
        file = kCommandPrompt;
        directory = kSystemDirectory;
        return;
    }
    if (std::string(argv[1]) == "deleteindex") {
        deletesIndex = true;
        return;
    }

    JoinParameters(argc, argv);
    const std::string target = argv[1];
    if (target.size() < 2) throw std::out_of_range("invalid string position");
    if (IsAbsoluteTarget(target)) {
        ResolveDrivePath(target);
        return;
    }
    if (ResolveRelativePath(target)) return;
    // .\tool.exe names the current folder's tool.exe, \tool.exe the one at
    // the root of its drive, never one on the PATH.
    if (NamesCurrentDirectory(target) || !FindOnPath(target)) {
        throw RvWinException("指定されたファイルが見つかりませんでした。");
    }
}

void ElevatedCommand::JoinParameters(int argc, char** argv)
{
    // A batch file's parameters are read by cmd.exe, as part of a command
    // line: they must stay data there.
    const bool batch = IsBatchFile(argv[1]);
    parameters.clear();
    for (int i = 2; i < argc; ++i) {
        if (i > 2) parameters += ' ';
        if (!batch) {
            AppendQuotedArgument(parameters, argv[i]);
        } else if (BatchFileCanReceive(argv[i])) {
            AppendBatchArgument(parameters, argv[i]);
        } else {
            throw RvWinException("バッチファイルに渡せない文字 (\" % 改行) が引数にあります。");
        }
    }
}

bool ElevatedCommand::SearchesCurrentDirectory(const std::string& target) const
{
    // Empty when the current directory cannot be named in the code page.
    return !currentDirectory.empty() && SearchesCurrentDirectoryFor(target);
}

bool ElevatedCommand::IsHelpRequest() const
{
    return !deletesIndex && (file.empty() || file == kHelpWord);
}

SHELLEXECUTEINFOA ElevatedCommand::LaunchRecord() const
{
    return MakeElevatedLaunchRecord(file.c_str(), parameters.empty() ? nullptr : parameters.c_str(),
                                    directory.c_str(), SW_SHOW);
}

unsigned long ElevatedCommand::Launch() const
{
    if (IsHelpRequest()) {
        WriteStandardOutput(ShortHelp());
        return 0;
    }
    if (deletesIndex) {
        DeletePathIndex();
        return 0;
    }
    SHELLEXECUTEINFOA record = LaunchRecord();
    const Handle process = StartElevated(record);
    if (!waits) return 0; // the handle is closed at once
    // The shell may hand the file to a program that was running already.
    if (!process.valid()) throw RvWinException("起動したプログラムの終了を待てません。");
    return *AwaitExitCode(process.get(), INFINITE);
}
