#pragma once

#include "IndexLock.h"
#include "PathText.h"

#include <optional>
#include <string>
#include <vector>

// The index file's lines: bytes in the ANSI code page.
using TextList = std::vector<std::string>;

// The folders of programs that the user started by a full path and that are
// not on the PATH: %AppData%\Orvane\velkindex.dat, one folder a line, under
// a lock that velk runs started side by side wait for in turn, held while the
// object lives. A missing or unreadable file is an empty index, a failed save
// leaves the old file as it was, and a run that another holds the lock from
// for more than a few seconds neither reads nor writes it.
class PathIndex {
public:
    PathIndex();
    PathIndex(const PathIndex&) = delete;
    PathIndex& operator=(const PathIndex&) = delete;

    // Lines in the ANSI code page's bytes; letter case counts.
    bool contains(std::string directory) const;
    void add(std::string directory);

    // Saves what was added, if anything. Gives 0, or the Windows error that
    // kept a change out of the file (the lock could not be made for a reason
    // other than another run holding it, or the new file could not be
    // written or moved over the index).
    unsigned long Save() const;

private:
    void Load();

    bool changed = false;
    // False when the file exists but could not be read whole (it is then
    // never rewritten, so its content is not lost), without the lock, or
    // without AppData.
    bool saveAllowed = false;
    unsigned long lockError = 0; // why the lock could not be made, but for a wait that ran out
    std::string loaded; // the file's bytes as read; made lines only for a save
    TextList added;
    std::wstring path;
    std::optional<IndexLock> lock;
};

// Adds folder to the index unless it lists it already; a folder that the
// ANSI code page cannot name exactly is not recorded. Where Windows kept the
// index from being updated, says so with Windows' text; the start goes ahead.
void RecordInPathIndex(const std::wstring& folder);

// Deletes the index file, and what a save cut short left beside it, under
// the lock, so that no launch writes the deleted entries back. No file is no
// error. Throws RvWinException with usage without AppData, without it when
// the index cannot be deleted or the lock cannot be had; the index is then
// left whole.
void DeletePathIndex();

// The file's lines: a line ends at LF, and a CR right before it belongs to the
// line end. A last line without a line end is an entry; empty lines are too.
TextList ParseIndexLines(const std::string& bytes);

// Whether ParseIndexLines(bytes) holds line, told without a text for every
// line: an index only grows, and a launch that adds nothing pays only for
// reading it.
bool IndexHasLine(const std::string& bytes, const std::string& line);

// Every entry followed by CR LF.
std::string FormatIndexLines(const TextList& entries);
