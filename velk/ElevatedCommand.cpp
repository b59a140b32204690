#include "ElevatedCommand.h"

#include "AnsiText.h"
#include "CommandLine.h"
#include "CurrentDirectory.h"
#include "ElevatedStart.h"
#include "PathIndex.h"
#include "PathText.h"
#include "RvWinException.h"
#include "StandardOutput.h"
#include "Usage.h"

#include <optional>
#include <stdexcept>
#include <vector>

namespace {

const char kHelpWord[] = "help";
const char kWaitWord[] = "wait";
const char kSystemDirectory[] = "C:\\Windows\\System32";
const char kCommandPrompt[] = "C:\\Windows\\System32\\cmd.exe";

// The text that follows the target on velk's own command line, from the
// word after it to the end, as typed; nothing when the line's words do not
// end the target where the runtime did (words, as SplitCommandLine gives
// them; target, the argument that names the program).
std::optional<std::string> TypedParameters(const std::wstring& commandLine, bool waits, const std::string& target)
{
    const std::vector<CommandLineWord> words = SplitCommandLine(commandLine);
    const std::size_t at = waits ? 2 : 1;
    if (words.size() <= at || (waits && words[1].text != L"wait") || ToExactAnsi(words[at].text) != target) {
        return std::nullopt;
    }
    return ToExactAnsi(words.size() > at + 1 ? commandLine.substr(words[at + 1].begin) : std::wstring());
}

} // namespace

bool SaysWait(const std::wstring& commandLine)
{
    const std::vector<CommandLineWord> words = SplitCommandLine(commandLine);
    return words.size() > 1 && words[1].text == L"wait";
}

ElevatedCommand::ElevatedCommand(int argc, char** argv, PathContext context, const std::wstring& commandLine)
    : PathContext(std::move(context))
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

    JoinParameters(argc, argv, commandLine);
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
        throw RvWinException("指定されたファイルが見つかりませんでした。", ERROR_FILE_NOT_FOUND);
    }
}

void ElevatedCommand::JoinParameters(int argc, char** argv, const std::wstring& commandLine)
{
    parameters.clear();
    // A batch file's parameters are read by cmd.exe, as part of a command
    // line: they must stay data there, one by one. A program reads its
    // command line by its own rules (msiexec's NAME="value"): it gets the
    // rest of velk's as typed, quoted again argument by argument only where
    // the line cannot be read back.
    const bool batch = GetsBatchRules(argv[1]);
    if (!batch) {
        if (const std::optional<std::string> typed = TypedParameters(commandLine, waits, argv[1])) {
            parameters = *typed;
            return;
        }
    }
    for (int i = 2; i < argc; ++i) {
        if (batch && !BatchFileCanReceive(argv[i])) {
            throw RvWinException("バッチファイルに渡せない文字 (\" % 改行) が引数にあります。", ERROR_INVALID_PARAMETER);
        }
        if (i > 2) parameters += ' ';
        (batch ? AppendBatchArgument : AppendQuotedArgument)(parameters, argv[i]);
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
    if (!process.valid()) throw RvWinException("起動したプログラムの終了を待てません。", ERROR_INVALID_HANDLE);
    return *AwaitExitCode(process.get(), INFINITE);
}
