#include "ElevatedCommand.h"

#include "CommandLine.h"
#include "CurrentDirectory.h"
#include "ElevatedStart.h"
#include "PathText.h"
#include "RvWinException.h"
#include "StandardOutput.h"
#include "Usage.h"

#include <stdexcept>

namespace {

const char kHelpWord[] = "help";
const char kSystemDirectory[] = "C:\\Windows\\System32";
const char kCommandPrompt[] = "C:\\Windows\\System32\\cmd.exe";

} // namespace

ElevatedCommand::ElevatedCommand(int argc, char** argv, PathContext context) : PathContext(std::move(context))
{
    if (argc < 2 || std::string(argv[1]) == kHelpWord) {
        file = kHelpWord;
        return;
    }
    if (std::string(argv[1]) == "su") {
        file = kCommandPrompt;
        directory = kSystemDirectory;
        return;
    }

    JoinParameters(argc, argv);
    const std::string target = argv[1];
    if (target.size() < 2) throw std::out_of_range("invalid string position");
    if (target[1] == ':') {
        ResolveDrivePath(target);
        return;
    }
    if (ResolveRelativePath(target)) return;
    // .\tool.exe names the current folder's tool.exe, never one on the PATH.
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
    return file.empty() || file == kHelpWord;
}

SHELLEXECUTEINFOA ElevatedCommand::LaunchRecord() const
{
    return MakeElevatedLaunchRecord(file.c_str(), parameters.empty() ? nullptr : parameters.c_str(),
                                    directory.c_str(), SW_SHOW);
}

void ElevatedCommand::Launch() const
{
    if (IsHelpRequest()) {
        WriteStandardOutput(ShortHelp());
        return;
    }
    SHELLEXECUTEINFOA record = LaunchRecord();
    StartElevated(record); // velk does not wait; the handle is closed at once
}
