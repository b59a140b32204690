#include "CommandLine.h"

#include <cstddef>

namespace {

// Outside quotes cmd.exe starts commands at & and |, redirects at < and >,
// escapes with ^, groups with brackets and splits parameters at , ; = as at
// spaces. Inside quotes these are plain characters. (! is quoted too, though
// delayed expansion, off unless switched on, would still read !NAME! there:
// it replaces text, it starts no command.)
const wchar_t kBatchSpecial[] = L" \t\v\f&|<>^(),;=!";

bool IsBlank(wchar_t unit)
{
    return unit == L' ' || unit == L'\t';
}

bool HoldsAnyOf(const std::wstring& text, const wchar_t* characters)
{
    return text.find_first_of(characters) != std::wstring::npos;
}

// An empty argument, or one that holds any of these characters.
bool NeedsQuotes(const std::wstring& argument, const wchar_t* characters)
{
    return argument.empty() || HoldsAnyOf(argument, characters);
}

void AppendArgument(std::wstring& commandLine, const std::wstring& argument, const wchar_t* needsQuotes)
{
    if (!NeedsQuotes(argument, needsQuotes)) {
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
        commandLine.append(unit == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        commandLine += unit;
        backslashes = 0;
    }
    commandLine.append(backslashes * 2, L'\\');
    commandLine += L'"';
}

} // namespace

// A quote, then every Unicode white space character.
const wchar_t kQuoteOrWhiteSpace[] = L"\"\t\n\v\f\r \x85\xA0\x1680\x2000\x2001\x2002\x2003\x2004\x2005\x2006"
                                     L"\x2007\x2008\x2009\x200A\x2028\x2029\x202F\x205F\x3000";
const wchar_t* const kWhiteSpace = kQuoteOrWhiteSpace + 1;

bool IsWhiteSpaceOnly(const std::wstring& text)
{
    return text.find_first_not_of(kWhiteSpace) == std::wstring::npos;
}

void AppendQuotedArgument(std::wstring& commandLine, const std::wstring& argument)
{
    // The C runtime splits at blanks and tabs only, but a reader that
    // splits at any white space (a full-width blank that an IME types)
    // must not find two words either: quotes cost nothing there.
    AppendArgument(commandLine, argument, kQuoteOrWhiteSpace);
}

bool BatchFileCanReceive(const std::wstring& argument)
{
    return !HoldsAnyOf(argument, L"\"%\r\n");
}

bool BatchArgumentNeedsQuotes(const std::wstring& argument)
{
    return NeedsQuotes(argument, kBatchSpecial);
}

void AppendBatchArgument(std::wstring& commandLine, const std::wstring& argument)
{
    AppendArgument(commandLine, argument, kBatchSpecial);
}

std::wstring BatchCommandLine(const std::wstring& folder, const std::wstring& batchFile, const std::wstring& parameters)
{
    // /d: no AutoRun commands from the registry; /e:on for pushd; /v:off: no
    // !NAME! expansion, whatever the registry says. With /s, cmd.exe takes
    // away the first and the last quote after /c and nothing else, so what
    // is between them reaches it exactly. pushd, unlike cd, takes a share's
    // folder too (it maps a drive); && runs nothing when the folder is gone.
    std::wstring line = L"/d /e:on /v:off /s /c \"pushd \"";
    line += folder;
    line += L"\" && \"";
    line += batchFile;
    line += L'"';
    if (!parameters.empty()) line += L' ';
    line += parameters;
    line += L'"';
    return line;
}

std::vector<CommandLineWord> SplitCommandLine(const std::wstring& line)
{
    std::vector<CommandLineWord> words;
    std::size_t i = 0;
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
