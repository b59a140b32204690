#pragma once

#include "PathContext.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

// Whether the command line's first argument is the word "wait".
bool SaysWait(const std::wstring& commandLine);

// One command line of velk: help, an elevated command prompt ("su"), the
// deletion of the index ("deleteindex") or a target program with its
// arguments, ready to be started; any of them after "wait", which waits for
// what was started.
class ElevatedCommand : public PathContext {
public:
    // Dispatches the command line and resolves the target. Throws
    // RvWinException when the target is not found or a batch file's argument
    // cannot be passed to it as data, std::out_of_range for a target shorter
    // than two bytes, std::runtime_error for environment errors. commandLine
    // is velk's own as Windows gave it (GetCommandLineW): a program gets the
    // text after its name from there, as typed; without it, its arguments
    // quoted one by one.
    ElevatedCommand(int argc, char** argv, PathContext context, const std::wstring& commandLine = std::wstring());

    // Prints the short help for a help request, deletes the index for
    // "deleteindex"; otherwise asks the shell to start file elevated. Returns
    // velk's exit status: 0, or under "wait" the started program's exit code
    // once it has ended. Throws RvWinException when the start or the wait
    // fails, or when the shell gives no process to wait for.
    unsigned long Launch() const;

    bool IsHelpRequest() const;
    // The shell request that Launch hands over; it points into this object.
    SHELLEXECUTEINFOA LaunchRecord() const;

private:
    void JoinParameters(int argc, char** argv, const std::wstring& commandLine);

    // Whether the relative way is tried for target.
    bool SearchesCurrentDirectory(const std::string& target) const;

    // The three ways of finding a target, tried in this order. The first
    // takes every absolute target (C:\..., \\server\share\..., \\?\...).
    void ResolveDrivePath(std::string target);
    bool ResolveRelativePath(std::string target);
    bool FindOnPath(std::string target);

    // The one place that sets file and directory: when a file (never a
    // folder) exists at path, the shell is to start that very path, in
    // workingDirectory.
    bool UseIfPresent(const std::string& path, const std::string& workingDirectory);

    std::string file;
    std::string directory;
    std::string parameters;
    bool deletesIndex = false;
    bool waits = false;
};
