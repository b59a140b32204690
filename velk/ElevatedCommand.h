#pragma once

#include "CommandLine.h"
#include "PathContext.h"
#include "TargetRecord.h"

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

// Whether the command line's first argument is the word "wait".
bool SaysWait(const std::wstring& commandLine);

// One command line of velk: help, an elevated command prompt ("su"), the
// deletion of the index ("deleteindex") or a target program with its
// arguments, ready to be started; any of them after "wait", which waits for
// what was started.
class ElevatedCommand : public PathContext {
public:
    // Dispatches velk's own command line as Windows gave it
    // (GetCommandLineW), resolves the target, then takes its arguments by
    // the rules of what it resolved to. Throws RvWinException when the
    // target is not found, is refused (a stream, the device namespace, a
    // path that %NAME% expansion or cmd.exe would turn into another), or is
    // a batch file (or shortcut) that an argument cannot be passed to as
    // data; with usage for a target too short to be a name and for
    // environment errors.
    ElevatedCommand(const std::wstring& commandLine, PathContext context);

    // Prints the short help for a help request, deletes the index for
    // "deleteindex"; otherwise records the target's index line, if it has
    // one, and asks the shell to start the target elevated. Returns
    // velk's exit status: 0, or under "wait" the started program's exit code
    // once it has ended. Throws RvWinException when the start or the wait
    // fails, or when the shell gives no process to wait for.
    unsigned long Launch() const;

    bool IsHelpRequest() const;
    // The shell request that Launch hands over; it points into this object.
    SHELLEXECUTEINFOW LaunchRecord() const;

private:
    enum class Action { Help, Start, DeleteIndex };

    // The words after the target (from words[at + 1] on), by the rules that
    // the resolved target's kind calls for.
    void JoinParameters(const std::wstring& commandLine, const std::vector<CommandLineWord>& words, std::size_t at);

    // The one resolution of a target: its record, or the not-found failure
    // (RvWinException), or the refusal of a record that the shell or
    // cmd.exe would not read as velk checked it.
    TargetRecord Resolve(const std::wstring& typed) const;

    // The ways of finding a target, each giving the record of what it found
    // (kind Nothing when it found nothing). The first takes every absolute
    // target (C:\..., \\server\share\..., \\?\...); the others are
    // tried in this order for any other.
    TargetRecord ResolveDrivePath(const std::wstring& named) const;
    TargetRecord ResolveRelativePath(const std::wstring& named) const;
    TargetRecord FindOnPath(const std::wstring& named) const;
    // The relative way, then the PATH, as the dispatcher tries them.
    TargetRecord ResolveByName(const std::wstring& named) const;

    Action action = Action::Start;
    TargetRecord target;
    std::wstring parameters;
    bool waits = false;
};
