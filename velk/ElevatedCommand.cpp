#include "ElevatedCommand.h"

#include "CommandLine.h"
#include "ElevatedStart.h"
#include "PathIndex.h"
#include "PathText.h"
#include "Resolution.h"
#include "RvWinException.h"
#include "StandardOutput.h"
#include "Usage.h"

namespace {

// The words after the target, by the rules of the kind it resolved to. A
// program reads its command line by its own rules (msiexec's
// NAME="value"): it gets the rest of velk's as typed. A batch file's
// parameters are read by cmd.exe, as part of a command line: they must stay
// data there, one by one.
std::wstring ParametersFor(const TargetRecord& target, const Invocation& invocation)
{
    if (!target.GetsBatchRules()) return invocation.rest;
    std::wstring parameters;
    for (const CommandLineWord& word : invocation.arguments) {
        if (!BatchFileCanReceive(word.text)) {
            throw RvWinException("バッチファイルに渡せない文字 (\" % 改行) が引数にあります。", ERROR_INVALID_PARAMETER);
        }
        if (&word != &invocation.arguments.front()) parameters += L' ';
        AppendBatchArgument(parameters, word.text);
    }
    return parameters;
}

} // namespace

ElevatedCommand PrepareCommand(const Invocation& invocation, const std::wstring& currentFolder,
                               const PathEntries& path)
{
    ElevatedCommand command;
    command.request = invocation.request;
    command.waits = invocation.waits;
    if (invocation.request == Request::CommandPrompt) command.target = CommandPromptRecord();
    if (invocation.request != Request::Start) return command;
    // The text is what the C++ library said here once; scripts may match it.
    if (IsTooShortForAName(invocation.target)) {
        throw RvWinException::WithUsage("invalid string position", ERROR_INVALID_PARAMETER);
    }
    // What the start reaches first; every rule after this reads the record.
    command.target = Resolve(invocation.target, currentFolder, path);
    command.parameters = ParametersFor(command.target, invocation);
    return command;
}

SHELLEXECUTEINFOW LaunchRecord(const ElevatedCommand& command)
{
    const std::wstring& parameters = command.parameters;
    return MakeElevatedLaunchRecord(command.target.shellFile.c_str(), parameters.empty() ? nullptr : parameters.c_str(),
                                    command.target.directory.c_str(), SW_SHOW);
}

unsigned long Launch(const ElevatedCommand& command)
{
    switch (command.request) {
    case Request::Help:
        WriteStandardOutput(ShortHelp());
        return 0;
    case Request::DeleteIndex:
        DeletePathIndex();
        return 0;
    case Request::CommandPrompt:
    case Request::Start:
        break;
    }
    // Recorded once velk has nothing more to refuse, before the consent
    // prompt: the index says where elevated starts were asked from.
    if (command.target.indexLine) RecordInPathIndex(*command.target.indexLine);
    SHELLEXECUTEINFOW record = LaunchRecord(command);
    const Handle process = StartElevated(record);
    if (!command.waits) return 0; // the handle is closed at once
    // The shell may hand the file to a program that was running already.
    if (!process.valid()) throw RvWinException("起動したプログラムの終了を待てません。", ERROR_INVALID_HANDLE);
    return *AwaitExitCode(process.get(), INFINITE);
}
