#pragma once

#include <string>
#include <vector>

using TextList = std::vector<std::string>;

// The non-empty pieces of text between delimiters, in order; for code page
// text (bytes) and for UTF-16 text alike.
template <typename Text>
std::vector<Text> SplitText(const Text& text, typename Text::value_type delimiter)
{
    std::vector<Text> pieces;
    Text piece;
    for (const auto unit : text) {
        if (unit == delimiter) {
            if (!piece.empty()) pieces.push_back(piece);
            piece.clear();
        } else {
            piece += unit;
        }
    }
    if (!piece.empty()) pieces.push_back(piece);
    return pieces;
}

// Exact membership: same length, same bytes, letter case counts.
bool ListContains(TextList::const_iterator first, TextList::const_iterator last, std::string value);

// a to z become A to Z; every other byte, the trail bytes of double-byte
// characters included, stays as it is.
std::string ToUpperAscii(std::string text);

// Windows reads / as \ in every path it opens; so does velk wherever it
// takes a target apart.
bool IsSeparator(char byte);

// Index of the last \ or / that is a character of its own, or npos.
std::size_t FindLastSeparator(const std::string& path);

// Every / made \.
std::string WithBackslashes(std::string path);

// How many bytes of target say where it starts, when it is written from the
// current folder (.\ or ..\) or from the root of its drive (one leading
// separator), slashes counting as backslashes; else 0.
std::size_t LeadingFolderLength(const std::string& target);

// A name written from the current folder or from the root of its drive:
// whoever writes it means that place and no other, so it is never looked for
// along the PATH.
bool NamesCurrentDirectory(const std::string& target);

// A target that names its file wherever velk runs: a drive letter and a
// colon (C:\Tools\tool.exe, also C:/Tools/tool.exe), or two separators
// (\\server\share\tool.exe, //server/share/tool.exe, \\?\C:\Tools\tool.exe,
// \\?\UNC\server\share\tool.exe).
bool IsAbsoluteTarget(const std::string& target);

// The long-path forms as plain paths: \\?\C:\x as C:\x, \\?\UNC\server\share\x
// as \\server\share\x; anything else as it stands.
std::string WithoutLongPathPrefix(const std::string& path);

// The root that a path with one leading backslash is read against: the drive
// of directory (C: for C:\work) or its share (\\server\share for
// \\server\share\work).
std::string DirectoryRoot(const std::string& directory);

// Whether Windows runs the target through cmd.exe: its name ends in .bat or
// .cmd, in any letter case, once the trailing dots and spaces that Windows
// drops from a file name are gone (run.BAT. . is run.bat).
bool IsBatchFile(const std::string& target);

// Whether the target's arguments get the batch rules: a batch file's, and a
// shortcut's (.lnk), whose arguments the shell hands on to what it leads
// to, a batch file maybe.
bool GetsBatchRules(const std::string& target);

// A PATH entry that names its folder whatever the current directory: a drive
// letter, a colon and a backslash, or a network path (\\server\share). Any
// other entry (bin, .\bin, \bin, C:bin) is relative, as cmd.exe takes it.
bool IsFullPath(const std::string& entry);

// The folder that holds a file named by an absolute target: the part before
// its last separator of either kind (C:\Tools\tool.exe gives C:\Tools,
// C:\tool.exe gives C:, \\server\share\tool.exe gives \\server\share,
// C:\Tools/sub/tool.exe gives C:\Tools/sub), else the drive itself (C:tool.exe
// gives C:).
std::string DrivePathDirectory(const std::string& target);
