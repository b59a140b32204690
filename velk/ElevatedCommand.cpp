#include "ElevatedCommand.h"

#include "ElevatedStart.h"
#include "PathIndex.h"
#include "PathText.h"
#include "RvWinException.h"
#include "StandardOutput.h"
#include "SystemPrograms.h"
#include "Usage.h"


namespace {

const wchar_t kHelpWord[] = L"help";
const wchar_t kWaitWord[] = L"wait";

} // namespace

bool SaysWait(const std::wstring& commandLine)
{
    const std::vector<CommandLineWord> words = SplitCommandLine(commandLine);
    return words.size() > 1 && words[1].text == kWaitWord;
}

ElevatedCommand::ElevatedCommand(const std::wstring& commandLine, PathContext context)
    : PathContext(std::move(context))
{
    // "velk wait X..." is "velk X..." waited for.
    const std::vector<CommandLineWord> words = SplitCommandLine(commandLine);
    std::size_t at = 1;
    if (words.size() > at && words[at].text == kWaitWord) {
        waits = true;
        ++at;
    }
    if (words.size() <= at || words[at].text == kHelpWord) {
        action = Action::Help;
        return;
    }
    const std::wstring& typed = words[at].text;
    if (typed == L"su") {
        target.kind = TargetKind::Program;
        target.shellFile = kCommandPrompt;
        target.directory = kSystemFolder;
        return;
    }
    if (typed == L"deleteindex") {
        action = Action::DeleteIndex;
        return;
    }

    // The text is what the C++ library said here once; scripts may match it.
    if (IsTooShortForAName(typed)) throw RvWinException::WithUsage("invalid string position", ERROR_INVALID_PARAMETER);
    // What the start reaches first; every rule after this reads the record.
    target = Resolve(typed);
    JoinParameters(commandLine, words, at);
}

void ElevatedCommand::JoinParameters(const std::wstring& commandLine, const std::vector<CommandLineWord>& words,
                                     std::size_t at)
{
    parameters.clear();
    // A program reads its command line by its own rules (msiexec's
    // NAME="value"): it gets the rest of velk's as typed. A batch file's
    // parameters are read by cmd.exe, as part of a command line: they must
    // stay data there, one by one.
    if (!target.GetsBatchRules()) {
        if (words.size() > at + 1) parameters = commandLine.substr(words[at + 1].begin);
        return;
    }
    for (std::size_t i = at + 1; i < words.size(); ++i) {
        if (!BatchFileCanReceive(words[i].text)) {
            throw RvWinException("バッチファイルに渡せない文字 (\" % 改行) が引数にあります。", ERROR_INVALID_PARAMETER);
        }
        if (i > at + 1) parameters += L' ';
        AppendBatchArgument(parameters, words[i].text);
    }
}

bool ElevatedCommand::IsHelpRequest() const
{
    return action == Action::Help;
}

SHELLEXECUTEINFOW ElevatedCommand::LaunchRecord() const
{
    return MakeElevatedLaunchRecord(target.shellFile.c_str(), parameters.empty() ? nullptr : parameters.c_str(),
                                    target.directory.c_str(), SW_SHOW);
}

unsigned long ElevatedCommand::Launch() const
{
    if (IsHelpRequest()) {
        WriteStandardOutput(ShortHelp());
        return 0;
    }
    if (action == Action::DeleteIndex) {
        DeletePathIndex();
        return 0;
    }
    // Recorded once velk has nothing more to refuse, before the consent
    // prompt: the index says where elevated starts were asked from.
    if (target.indexLine) RecordInPathIndex(*target.indexLine);
    SHELLEXECUTEINFOW record = LaunchRecord();
    const Handle process = StartElevated(record);
    if (!waits) return 0; // the handle is closed at once
    // The shell may hand the file to a program that was running already.
    if (!process.valid()) throw RvWinException("起動したプログラムの終了を待てません。", ERROR_INVALID_HANDLE);
    return *AwaitExitCode(process.get(), INFINITE);
}
