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

bool IsSeparator(char byte)
{
    return byte == '\\' || byte == '/';
}

std::size_t FindLastSeparator(const std::string& path)
{
    return FindLastCharacter(path, "\\/");
}

std::string WithBackslashes(std::string path)
{
    // No trail byte of a double-byte character is a slash (0x2F).
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::string DrivePathDirectory(const std::string& target)
{
    std::size_t end = FindLastSeparator(target);
    if (end == std::string::npos) end = 2;
    return target.substr(0, end);
}

std::size_t LeadingFolderLength(const std::string& target)
{
    if (!target.empty() && IsSeparator(target[0]) && (target.size() < 2 || !IsSeparator(target[1]))) return 1;
    const std::size_t dots = target.compare(0, 2, "..") == 0 ? 2 : target.compare(0, 1, ".") == 0 ? 1 : 0;
    return dots > 0 && target.size() > dots && IsSeparator(target[dots]) ? dots + 1 : 0;
}

bool NamesCurrentDirectory(const std::string& target)
{
    return LeadingFolderLength(target) > 0;
}

bool IsAbsoluteTarget(const std::string& target)
{
    return target.size() >= 2 && (target[1] == ':' || (IsSeparator(target[0]) && IsSeparator(target[1])));
}

std::string WithoutLongPathPrefix(const std::string& path)
{
    if (path.compare(0, 8, "\\\\?\\UNC\\") == 0) return "\\\\" + path.substr(8);
    if (path.compare(0, 4, "\\\\?\\") == 0 && path.size() >= 6 && path[5] == ':') return path.substr(4);
    return path;
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

namespace {

// The last four bytes before the trailing dots and spaces that Windows drops
// from a file name, upper-cased. Neither dots, spaces nor the letters after
// a dot can be the trail byte of a double-byte character.
std::string Extension(const std::string& target)
{
    const std::size_t last = target.find_last_not_of(". ");
    if (last == std::string::npos || last < 3) return std::string();
    return ToUpperAscii(target.substr(last - 3, 4));
}

} // namespace

bool IsBatchFile(const std::string& target)
{
    const std::string extension = Extension(target);
    return extension == ".BAT" || extension == ".CMD";
}

bool GetsBatchRules(const std::string& target)
{
    return IsBatchFile(target) || Extension(target) == ".LNK";
}
