#pragma once

#include "CommandLine.h"
#include "PathContext.h"

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
    // (GetCommandLineW) and resolves the target. Throws RvWinException when
    // the target is not found or a batch file's argument cannot be passed to
    // it as data, std::out_of_range for a target too short to be a name,
    // std::runtime_error for environment errors.
    ElevatedCommand(const std::wstring& commandLine, PathContext context);

    // Prints the short help for a help request, deletes the index for
    // "deleteindex"; otherwise asks the shell to start file elevated. Returns
    // velk's exit status: 0, or under "wait" the started program's exit code
    // once it has ended. Throws RvWinException when the start or the wait
    // fails, or when the shell gives no process to wait for.
    unsigned long Launch() const;

    bool IsHelpRequest() const;
    // The shell request that Launch hands over; it points into this object.
    SHELLEXECUTEINFOW LaunchRecord() const;

private:
    // The words after the target (from words[target + 1] on).
    void JoinParameters(const std::wstring& commandLine, const std::vector<CommandLineWord>& words,
                        std::size_t target);

    // Finds the target by the ways below, or throws the not-found failure.
    void Resolve(const std::wstring& target);

    // The three ways of finding a target, tried in this order. The first
    // takes every absolute target (C:\..., \\server\share\..., \\?\...).
    void ResolveDrivePath(std::wstring target);
    bool ResolveRelativePath(std::wstring target);
    bool FindOnPath(std::wstring target);
    // The relative way, then the PATH, as the dispatcher tries them.
    bool ResolveByName(const std::wstring& target);

    // The one place that sets file and directory: when a file (never a
    // folder) exists at path, the shell is to start that very path, in
    // workingDirectory, or else in the folder that holds the file that
    // Windows opens (C:\t for C:\t\run.bat\., C: for C:\tool.exe).
    bool UseIfPresent(const std::wstring& path, const std::wstring* workingDirectory = nullptr);

    std::wstring file;
    std::wstring directory;
    std::wstring parameters;
    bool deletesIndex = false;
    bool waits = false;
};
