#include "ElevatedCommand.h"

#include "CurrentDirectory.h"
#include "ElevatedStart.h"
#include "PathIndex.h"
#include "PathText.h"
#include "RvWinException.h"
#include "StandardOutput.h"
#include "Usage.h"

#include <stdexcept>

namespace {

const wchar_t kHelpWord[] = L"help";
const wchar_t kWaitWord[] = L"wait";
const wchar_t kSystemDirectory[] = L"C:\\Windows\\System32";
const wchar_t kCommandPrompt[] = L"C:\\Windows\\System32\\cmd.exe";

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
        file = kHelpWord;
        return;
    }
    const std::wstring& target = words[at].text;
    if (target == L"su") {
        file = kCommandPrompt;
        directory = kSystemDirectory;
        return;
    }
    if (target == L"deleteindex") {
        deletesIndex = true;
        return;
    }

    JoinParameters(commandLine, words, at);
    if (IsTooShortForAName(target)) throw std::out_of_range("invalid string position");
    Resolve(target);
}

void ElevatedCommand::JoinParameters(const std::wstring& commandLine, const std::vector<CommandLineWord>& words,
                                     std::size_t target)
{
    parameters.clear();
    // A program reads its command line by its own rules (msiexec's
    // NAME="value"): it gets the rest of velk's as typed. A batch file's
    // parameters are read by cmd.exe, as part of a command line: they must
    // stay data there, one by one. Which it is, the name of the file that
    // Windows opens says (run.bat\. is run.bat), wherever it is found.
    if (!GetsBatchRules(OpenedFile(words[target].text))) {
        if (words.size() > target + 1) parameters = commandLine.substr(words[target + 1].begin);
        return;
    }
    for (std::size_t i = target + 1; i < words.size(); ++i) {
        if (!BatchFileCanReceive(words[i].text)) {
            throw RvWinException("バッチファイルに渡せない文字 (\" % 改行) が引数にあります。", ERROR_INVALID_PARAMETER);
        }
        if (i > target + 1) parameters += L' ';
        AppendBatchArgument(parameters, words[i].text);
    }
}

bool ElevatedCommand::IsHelpRequest() const
{
    return !deletesIndex && (file.empty() || file == kHelpWord);
}

SHELLEXECUTEINFOW ElevatedCommand::LaunchRecord() const
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
    SHELLEXECUTEINFOW record = LaunchRecord();
    const Handle process = StartElevated(record);
    if (!waits) return 0; // the handle is closed at once
    // The shell may hand the file to a program that was running already.
    if (!process.valid()) throw RvWinException("起動したプログラムの終了を待てません。", ERROR_INVALID_HANDLE);
    return *AwaitExitCode(process.get(), INFINITE);
}
