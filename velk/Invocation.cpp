#include "Invocation.h"

Invocation ParseInvocation(const std::wstring& commandLine)
{
    const std::vector<CommandLineWord> words = SplitCommandLine(commandLine);
    Invocation invocation;
    std::size_t at = 1;
    // "/?" is how any Windows command is asked for help, and no file can be
    // named so; after "wait" it is a program's name, as every word there is.
    if (words.size() > at && words[at].text == L"/?") return invocation;
    // "velk wait X..." is "velk X..." waited for.
    if (words.size() > at && words[at].text == L"wait") {
        invocation.waits = true;
        ++at;
    }
    if (words.size() <= at || words[at].text == L"help") return invocation;
    const std::wstring& word = words[at].text;
    if (word == L"su") {
        invocation.request = Request::CommandPrompt;
    } else if (word == L"deleteindex") {
        invocation.request = Request::DeleteIndex;
    } else {
        invocation.request = Request::Start;
        invocation.target = word;
        invocation.arguments.assign(words.begin() + static_cast<std::ptrdiff_t>(at) + 1, words.end());
        if (!invocation.arguments.empty()) invocation.rest = commandLine.substr(invocation.arguments[0].begin);
    }
    return invocation;
}
