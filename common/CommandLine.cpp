#include "CommandLine.h"

#include "AnsiText.h"

#include <cstddef>
#include <cstring>

namespace {

// Whether one of the single-byte characters is in text; the trail bytes of
// double-byte characters are not looked at.
bool HoldsAnyOf(const std::string& text, const char* characters)
{
    for (std::size_t i = 0, next = 0; i < text.size(); i = next) {
        next = NextCharacter(text, i);
        if (next == i + 1 && text[i] != '\0' && std::strchr(characters, text[i]) != nullptr) return true;
    }
    return false;
}

// Quoted by the C runtime's rules when it is empty or holds one of
// needsQuotes.
void AppendArgument(std::string& commandLine, const std::string& argument, const char* needsQuotes)
{
    if (!argument.empty() && !HoldsAnyOf(argument, needsQuotes)) {
        commandLine += argument;
        return;
    }
    commandLine += '"';
    std::size_t backslashes = 0;
    for (std::size_t i = 0; i < argument.size();) {
        const std::size_t next = NextCharacter(argument, i);
        if (next - i == 2) {
            // A double-byte character: its trail byte is no backslash.
            commandLine.append(backslashes, '\\');
            commandLine.append(argument, i, 2);
            backslashes = 0;
        } else if (argument[i] == '\\') {
            ++backslashes;
        } else if (argument[i] == '"') {
            commandLine.append(backslashes * 2 + 1, '\\');
            commandLine += '"';
            backslashes = 0;
        } else {
            commandLine.append(backslashes, '\\');
            commandLine += argument[i];
            backslashes = 0;
        }
        i = next;
    }
    commandLine.append(backslashes * 2, '\\');
    commandLine += '"';
}

} // namespace

void AppendQuotedArgument(std::string& commandLine, const std::string& argument)
{
    AppendArgument(commandLine, argument, " \t\n\v\"");
}

bool BatchFileCanReceive(const std::string& argument)
{
    return !HoldsAnyOf(argument, "\"%\r\n");
}

void AppendBatchArgument(std::string& commandLine, const std::string& argument)
{
    // Outside quotes cmd.exe starts commands at & and |, redirects at < and
    // >, escapes with ^, groups with brackets and splits parameters at , ; =
    // as at spaces. Inside quotes these are plain characters. (! is quoted
    // too, though delayed expansion, off unless switched on, would still
    // read !NAME! there: it replaces text, it starts no command.)
    AppendArgument(commandLine, argument, " \t\v\f&|<>^(),;=!");
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
