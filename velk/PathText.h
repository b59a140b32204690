#pragma once

#include <algorithm>
#include <string>
#include <vector>

// Paths and PATH entries, as Windows holds them.
using PathList = std::vector<std::wstring>;

PathList SplitText(const std::wstring& text, wchar_t delimiter);

// Exact membership: letter case counts.
template <typename Iterator, typename Text>
bool ListContains(Iterator first, Iterator last, const Text& value)
{
    return std::find(first, last, value) != last;
}

// a to z as A to Z; every other character as it is.
std::wstring ToUpperAscii(std::wstring text);

// Index of the last \ or /, or npos: Windows reads / as \ in every path it
// opens, and so does velk wherever it takes a target apart.
std::size_t FindLastSeparator(const std::wstring& path);

std::wstring WithBackslashes(std::wstring path);

// name below folder, with one separator between them: the one that ends
// folder or begins name, as typed, else a backslash (C:\ and tool.exe give
// C:\tool.exe, so do C:\ and \tool.exe; C:\w and /tool.exe give C:\w/tool.exe).
std::wstring JoinPath(const std::wstring& folder, const std::wstring& name);

// Whether target is too short to be a name: empty, or one character that
// is one byte in the ANSI code page (x, but not ソ).
bool IsTooShortForAName(const std::wstring& target);

// The forms a path is written in, told from its first characters as Windows
// tells them (a / counting as \, but in \\?\), in this order: the first three
// are read against the current folder and are looked for by name.
enum class PathForm {
    Relative,      // tool.exe, bin\x, .x.exe, ..: below the current folder
    FromCurrent,   // .\x, ..\x: the current folder or its parent, never the PATH
    Rooted,        // \x: the root of the current folder's drive or share
    DriveRelative, // C:x: drive C's current folder, velk's and not a started program's
    DriveAbsolute, // C:\x, C:/x
    Unc,           // \\server\share\x, //server/share/x
    Device,        // \\.\NAME, //./NAME, \\.: Windows' device namespace
    LongPath,      // //?/C:/x, \\?: the long-path spelling, which Windows reads as any path
    Literal,       // \\?\ exactly: Windows takes what follows letter for letter
};

// A path's form, and how many characters say where it starts: .\ or ..\, \,
// C:, or \\ and the two names after it (\\server\share, \\?\C:, \\.\NUL).
struct PathPrefix {
    PathForm form;
    std::size_t length;
};
PathPrefix ClassifyPath(const std::wstring& path);

// A full path without its \\?\ prefix: \\?\C:\x as C:\x, \\?\UNC\server\share\x
// (UNC in any letter case) as \\server\share\x; anything else as it stands.
std::wstring WithoutLongPathPrefix(const std::wstring& path);

// Where a full path has a colon other than the drive's own, which Windows
// reads as the start of a stream's name: in the file's name (C:\t\run.bat::$DATA,
// \\server\share\x.exe:s, a stream of that file), in a folder's (C:\t:s\x.exe,
// which names no file), or nowhere.
enum class StreamPlace { None, FileName, Folder };
StreamPlace FindStream(const std::wstring& full);

// The folder that holds the file that Windows opens (OpenedFile's form),
// without the \\?\ prefix: the part before its last separator of either
// kind, as given; C: for a file in a drive's root.
std::wstring PlainFolder(const std::wstring& opened);

// A folder as a program's working folder: a drive's root keeps its
// backslash (C:\), since C: alone is drive C's current folder.
std::wstring AsWorkingFolder(std::wstring folder);

// A path read against the current one, folder, made absolute: a Rooted one
// below the root of folder's drive or share, ..\ climbing one folder, .\ as
// folder itself; any other leading dot is part of a name.
std::wstring ToFullPath(const std::wstring& path, const std::wstring& folder);
