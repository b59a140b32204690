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

// A name written from the current folder (.\tool.exe, ..\tool.exe, or the
// same with slashes) or from the root of its drive (\Tools\tool.exe):
// whoever writes it means that place and no other, so it is never looked for
// along the PATH.
bool NamesCurrentDirectory(const std::string& target);

// A target that names its file wherever velk runs: a drive letter and a
// colon (C:\Tools\tool.exe, also C:/Tools/tool.exe), or two backslashes
// (\\server\share\tool.exe, \\?\C:\Tools\tool.exe, \\?\UNC\server\share\tool.exe).
bool IsAbsoluteTarget(const std::string& target);

// The root that a path with one leading backslash is read against: the drive
// of directory (C: for C:\work) or its share (\\server\share for
// \\server\share\work).
std::string DirectoryRoot(const std::string& directory);

// Whether Windows runs the target through cmd.exe: its name ends in .bat or
// .cmd, in any letter case, once the trailing dots and spaces that Windows
// drops from a file name are gone (run.BAT. . is run.bat).
bool IsBatchFile(const std::string& target);

// A PATH entry that names its folder whatever the current directory: a drive
// letter, a colon and a backslash, or a network path (\\server\share). Any
// other entry (bin, .\bin, \bin, C:bin) is relative, as cmd.exe takes it.
bool IsFullPath(const std::string& entry);

// The working directory of a program named by an absolute target: the part
// before its last backslash (C:\Tools\tool.exe gives C:\Tools, C:\tool.exe
// gives C:, \\server\share\tool.exe gives \\server\share), else before its last
// slash (C:/Tools/tool.exe gives C:/Tools), else the drive itself (C:tool.exe
// gives C:).
std::string DrivePathDirectory(const std::string& target);
