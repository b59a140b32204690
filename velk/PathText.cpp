#include "PathText.h"

#include "AnsiText.h"

#include <algorithm>

bool ListContains(TextList::const_iterator first, TextList::const_iterator last, std::string value)
{
    return std::find(first, last, value) != last;
}

std::string ToUpperAscii(std::string text)
{
    for (std::size_t i = 0; i < text.size(); i = NextCharacter(text, i)) {
        if (text[i] >= 'a' && text[i] <= 'z') text[i] = static_cast<char>(text[i] - 'a' + 'A');
    }
    return text;
}

std::string DrivePathDirectory(const std::string& target)
{
    std::size_t end = FindLastCharacter(target, '\\');
    if (end == std::string::npos) end = FindLastCharacter(target, '/');
    if (end == std::string::npos) end = 2;
    return target.substr(0, end);
}

bool NamesCurrentDirectory(const std::string& target)
{
    if (target.size() >= 2 && target[0] == '\\' && target[1] != '\\') return true;
    const std::size_t dots = target.compare(0, 2, "..") == 0 ? 2 : target.compare(0, 1, ".") == 0 ? 1 : 0;
    return dots > 0 && target.size() > dots && (target[dots] == '\\' || target[dots] == '/');
}

bool IsAbsoluteTarget(const std::string& target)
{
    return (target.size() >= 2 && target[1] == ':') || target.compare(0, 2, "\\\\") == 0;
}

std::string DirectoryRoot(const std::string& directory)
{
    if (directory.compare(0, 2, "\\\\") != 0) return directory.substr(0, 2);
    // \\server\share: up to the backslash that ends the share's name.
    std::size_t separators = 0;
    for (std::size_t i = 2; i < directory.size(); i = NextCharacter(directory, i)) {
        if (directory[i] == '\\' && ++separators == 2) return directory.substr(0, i);
    }
    return directory;
}

bool IsFullPath(const std::string& entry)
{
    return entry.compare(0, 2, "\\\\") == 0 || (entry.size() >= 3 && entry[1] == ':' && entry[2] == '\\');
}

bool IsBatchFile(const std::string& target)
{
    // Neither dots, spaces nor the letters of .bat after a dot can be the
    // trail byte of a double-byte character.
    const std::size_t last = target.find_last_not_of(". ");
    if (last == std::string::npos || last < 3) return false;
    const std::string extension = ToUpperAscii(target.substr(last - 3, 4));
    return extension == ".BAT" || extension == ".CMD";
}
