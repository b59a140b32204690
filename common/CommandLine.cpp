#include "CommandLine.h"

#include <cstddef>

namespace {

bool HoldsAnyOf(const std::wstring& text, const wchar_t* characters)
{
    return text.find_first_of(characters) != std::wstring::npos;
}

// Quoted by the C runtime's rules when it is empty or holds one of
// needsQuotes.
void AppendArgument(std::wstring& commandLine, const std::wstring& argument, const wchar_t* needsQuotes)
{
    if (!argument.empty() && !HoldsAnyOf(argument, needsQuotes)) {
        commandLine += argument;
        return;
    }
    commandLine += L'"';
    std::size_t backslashes = 0;
    for (const wchar_t unit : argument) {
        if (unit == L'\\') {
            ++backslashes;
            continue;
        }
        // Backslashes double only before a quote.
        commandLine.append(unit == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        commandLine += unit;
        backslashes = 0;
    }
    commandLine.append(backslashes * 2, L'\\');
    commandLine += L'"';
}

} // namespace

void AppendQuotedArgument(std::wstring& commandLine, const std::wstring& argument)
{
    AppendArgument(commandLine, argument, L" \t\n\v\"");
}

bool BatchFileCanReceive(const std::wstring& argument)
{
    return !HoldsAnyOf(argument, L"\"%\r\n");
}

void AppendBatchArgument(std::wstring& commandLine, const std::wstring& argument)
{
    // Outside quotes cmd.exe starts commands at & and |, redirects at < and
    // >, escapes with ^, groups with brackets and splits parameters at , ; =
    // as at spaces. Inside quotes these are plain characters. (! is quoted
    // too, though delayed expansion, off unless switched on, would still
    // read !NAME! there: it replaces text, it starts no command.)
    AppendArgument(commandLine, argument, L" \t\v\f&|<>^(),;=!");
}

namespace {

bool IsBlank(wchar_t unit)
{
    return unit == L' ' || unit == L'\t';
}

} // namespace

std::vector<CommandLineWord> SplitCommandLine(const std::wstring& line)
{
    std::vector<CommandLineWord> words;
    std::size_t i = 0;
    // The program's name: no backslash rules, a quote only groups.
    if (!line.empty() && line[0] == L'"') {
        const std::size_t close = line.find(L'"', 1);
        i = close == std::wstring::npos ? line.size() : close + 1;
        words.push_back({0, i, line.substr(1, (close == std::wstring::npos ? line.size() : close) - 1)});
    } else {
        while (i < line.size() && !IsBlank(line[i])) ++i;
        words.push_back({0, i, line.substr(0, i)});
    }
    for (;;) {
        while (i < line.size() && IsBlank(line[i])) ++i;
        if (i == line.size()) return words;
        CommandLineWord word{i, i, std::wstring()};
        bool quoted = false;
        while (i < line.size() && (quoted || !IsBlank(line[i]))) {
            if (line[i] == L'\\') {
                std::size_t backslashes = 0;
                while (i < line.size() && line[i] == L'\\') ++backslashes, ++i;
                if (i < line.size() && line[i] == L'"') {
                    word.text.append(backslashes / 2, L'\\');
                    if (backslashes % 2 == 1) word.text += line[i++];
                } else {
                    word.text.append(backslashes, L'\\');
                }
            } else if (line[i] == L'"') {
                if (quoted && i + 1 < line.size() && line[i + 1] == L'"') {
                    word.text += L'"';
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
            } else {
                word.text += line[i++];
            }
        }
        word.end = i;
        words.push_back(std::move(word));
    }
}
