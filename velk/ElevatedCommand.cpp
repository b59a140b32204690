#include "ElevatedCommand.h"

#include "CommandLine.h"
#include "ConsoleInterrupt.h"
#include "ElevatedStart.h"
#include "PathIndex.h"
#include "PathText.h"
#include "Resolution.h"
#include "RvWinException.h"
#include "StandardOutput.h"
#include "SystemPrograms.h"
#include "Usage.h"

#include <optional>

namespace {

// The words after the target, by the rules of the kind it resolved to. A
// program reads its command line by its own rules (msiexec's NAME="value"):
// it gets the rest of velk's as typed. cmd.exe reads a batch file's
// parameters as part of a command line: they must stay data there. A
// shortcut may lead to a batch file that Windows runs through its own verb
// (see BatchCommandLine), where a quoted argument would turn into commands.
std::wstring ParametersFor(const TargetRecord& target, const Invocation& invocation)
{
    if (!target.GetsBatchRules()) return invocation.rest;
    std::wstring parameters;
    for (const CommandLineWord& word : invocation.arguments) {
        if (!BatchFileCanReceive(word.text)) {
            throw RvWinException::FromText("バッチファイルに渡せない文字 (\" % 改行) が引数にあります。", ERROR_INVALID_PARAMETER);
        }
        if (target.kind == TargetKind::Shortcut && BatchArgumentNeedsQuotes(word.text)) {
            throw RvWinException::FromText("ショートカットには、引用符が必要な引数 (空の引数や、空白や & | < > ^ ( ) , ; = ! を含む引数) を渡せません。",
                                 ERROR_INVALID_PARAMETER);
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
    ElevatedCommand command{invocation, {}, {}, {}};
    if (invocation.request == Request::CommandPrompt) {
        command.target = CommandPromptRecord();
        command.program = command.target.shellFile;
    }
    if (invocation.request != Request::Start) return command;
    // The text is what the C++ library said here once; scripts may match it.
    if (IsTooShortForAName(invocation.target)) {
        throw RvWinException::WithUsage("invalid string position", ERROR_INVALID_PARAMETER);
    }
    command.target = Resolve(invocation.target, currentFolder, path);
    command.program = command.target.shellFile;
    command.parameters = ParametersFor(command.target, invocation);
    if (command.target.kind == TargetKind::BatchFile) {
        command.parameters = BatchCommandLine(command.target.directory, command.target.shellFile, command.parameters);
        command.program = SystemProgram(L"cmd.exe");
    }
    return command;
}

SHELLEXECUTEINFOW LaunchRecord(const ElevatedCommand& command)
{
    const std::wstring& parameters = command.parameters;
    return MakeElevatedLaunchRecord(command.program.c_str(), parameters.empty() ? nullptr : parameters.c_str(),
                                    command.target.directory.c_str(), SW_SHOW);
}

unsigned long Launch(const ElevatedCommand& command)
{
    switch (command.invocation.request) {
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
    // Under "wait", from the start on: a script must never read an
    // interrupted wait as the program's success.
    std::optional<ConsoleInterrupt> interrupt;
    if (command.invocation.waits) interrupt.emplace();
    const Handle process = StartElevated(record);
    if (!command.invocation.waits) return 0; // the handle is closed at once
    // The shell may hand the file to a program that was running already.
    if (!process.valid()) throw RvWinException::FromText("起動したプログラムの終了を待てません。", ERROR_INVALID_HANDLE);
    if (const std::optional<DWORD> exitCode = AwaitExitCode(process.get(), INFINITE, interrupt->event())) {
        return *exitCode;
    }
    // As Windows reports a process that Ctrl+C ended.
    throw RvWinException::FromText("待機を中断しました。起動したプログラムはまだ実行中の可能性があります。", STATUS_CONTROL_C_EXIT);
}
