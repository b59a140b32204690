#pragma once

#include <algorithm>
#include <string>
#include <vector>

// Paths and PATH entries, as Windows holds them.
using PathList = std::vector<std::wstring>;

// The non-empty pieces of text between delimiters, in order.
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

// Exact membership: same length, same units, letter case counts.
template <typename Iterator, typename Text>
bool ListContains(Iterator first, Iterator last, const Text& value)
{
    return std::find(first, last, value) != last;
}

// a to z become A to Z; every other character stays as it is.
std::wstring ToUpperAscii(std::wstring text);

// Windows reads / as \ in every path it opens; so does velk wherever it
// takes a target apart.
bool IsSeparator(wchar_t unit);

// Index of the last \ or /, or npos.
std::size_t FindLastSeparator(const std::wstring& path);

// Every / made \.
std::wstring WithBackslashes(std::wstring path);

// name below folder, with one separator between them: the one that ends
// folder or begins name, as typed, else a backslash (C:\ and tool.exe give
// C:\tool.exe, so do C:\ and \tool.exe; C:\w and /tool.exe give C:\w/tool.exe).
std::wstring JoinPath(const std::wstring& folder, const std::wstring& name);

// Whether target is too short to be a name: empty, or one character that
// is one byte in the ANSI code page (x, but not ソ).
bool IsTooShortForAName(const std::wstring& target);

// How many characters of target say where it starts, when it is written
// from the current folder (.\ or ..\) or from the root of its drive (one
// leading separator), slashes counting as backslashes; else 0.
std::size_t LeadingFolderLength(const std::wstring& target);

// A name written from the current folder or from the root of its drive:
// whoever writes it means that place and no other, so it is never looked for
// along the PATH.
bool NamesCurrentDirectory(const std::wstring& target);

// A drive letter (a character of one byte in the ANSI code page) and a colon.
bool HasDriveLetter(const std::wstring& path);

// A target that names its file wherever velk runs: a drive letter and a
// colon (C:\Tools\tool.exe, also C:/Tools/tool.exe), or two separators
// (\\server\share\tool.exe, //server/share/tool.exe, \\?\C:\Tools\tool.exe,
// //?/UNC/server/share/tool.exe).
bool IsAbsoluteTarget(const std::wstring& target);

// A target written in full, which names its file whatever the working
// folder: a drive letter, a colon and a separator (C:\x, C:/x), or two
// separators (\\server\share\x, \\?\C:\x, //?/C:/x). C:x is not: it is
// read in drive C's current folder.
bool IsWrittenInFull(const std::wstring& target);

// Whether path is in Windows' device namespace: \\.\ (or //./) before it.
bool NamesDeviceNamespace(const std::wstring& path);

// Whether path is spelled with the long-path prefix \\?\ or //?/, which
// cmd.exe cannot run.
bool HasLongPathSpelling(const std::wstring& path);

// Whether path begins with \\?\ (backslashes only), after which Windows
// takes the text literally: no / as \, no . or .., no trailing dots or
// spaces dropped. //?/ is not that prefix: Windows reads it as it reads
// any path.
bool HasLiteralPrefix(const std::wstring& path);

// A full path without its \\?\ prefix: \\?\C:\x as C:\x,
// \\?\UNC\server\share\x (UNC in any letter case) as \\server\share\x;
// anything else as it stands.
std::wstring WithoutLongPathPrefix(const std::wstring& path);

// Where a full path has a colon other than the drive's own, which Windows
// reads as the start of a stream's name: in the file's name (C:\t\run.bat::$DATA,
// \\server\share\x.exe:s, a stream of that file), in a folder's (C:\t:s\x.exe,
// which names no file), or nowhere.
enum class StreamPlace { None, FileName, Folder };
StreamPlace FindStream(const std::wstring& full);

// The root that a path with one leading backslash is read against: the drive
// of directory (C: for C:\work) or its share (\\server\share for
// \\server\share\work).
std::wstring DirectoryRoot(const std::wstring& directory);

// A PATH entry that names its folder whatever the current directory: a drive
// letter, a colon and a backslash, or a network path (\\server\share). Any
// other entry (bin, .\bin, \bin, C:bin) is relative, as cmd.exe takes it.
bool IsFullPath(const std::wstring& entry);

// The folder that holds the file that Windows opens (OpenedFile's form),
// without the \\?\ prefix: one spelling for each folder, the letter case
// as given; C: for a file in a drive's root.
std::wstring PlainFolder(const std::wstring& opened);

// A folder as a program's working folder: a drive's root keeps its
// backslash (C:\), since C: alone is drive C's current folder.
std::wstring AsWorkingFolder(std::wstring folder);

// The folder that holds a file named by an absolute path: the part before
// its last separator of either kind (C:\Tools\tool.exe gives C:\Tools,
// C:\tool.exe gives C:, \\server\share\tool.exe gives \\server\share,
// C:\Tools/sub/tool.exe gives C:\Tools/sub), else the drive itself (C:tool.exe
// gives C:).
std::wstring DrivePathDirectory(const std::wstring& target);

// A relative path (not IsAbsoluteTarget) made absolute against folder, the
// current one: one leading separator means the root of folder's drive or
// share, a leading ..\ climbs one folder, a leading .\ means folder itself
// (/ reading as \ in each); any other leading dot is part of a name.
std::wstring ToFullPath(const std::wstring& path, const std::wstring& folder);
