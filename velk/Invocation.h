#pragma once

#include "CommandLine.h"

#include <string>
#include <vector>

// What velk's command line asks for, read once: help ("help", or "/?" as the
// first word), an elevated command prompt ("su"), the deletion of the index
// ("deleteindex") or the start of a target with its arguments; any of the
// words but "/?" after "wait", which waits for what was started. The words
// are exact, letter case included.
enum class Request { Help, CommandPrompt, DeleteIndex, Start };

struct Invocation {
    bool waits = false;
    Request request = Request::Help;
    // For a start: the target, the words after it, and the line after it as
    // typed (from the first of those words on).
    std::wstring target;
    std::vector<CommandLineWord> arguments;
    std::wstring rest;
};

// The invocation that velk's own command line (GetCommandLineW) makes.
Invocation ParseInvocation(const std::wstring& commandLine);
