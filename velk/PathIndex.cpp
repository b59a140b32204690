#include "PathIndex.h"

#include "AnsiText.h"
#include "EnvironmentVariable.h"
#include "RvWinException.h"
#include "StandardOutput.h"
#include "WinHandle.h"

#include <windows.h>

namespace {

// Long enough for any run's load and save; short enough not to hold up a start.
const unsigned long kLockWaitMs = 3000;

std::wstring IndexPath()
{
    return EnvironmentVariable(L"AppData").Value() + L"\\Orvane\\velkindex.dat";
}

// Where a save writes the new file before it moves it over the index. One
// name does for every run, as the lock lets only one save at a time.
std::wstring PartialPath(const std::wstring& indexPath)
{
    return indexPath + L".new";
}

// Reads the whole file (no file: no bytes), shared with other readers and
// writers: one read of its size, and more only if it grew meanwhile. False
// when it exists but cannot be read whole.
bool ReadWholeFile(const std::wstring& path, std::string& bytes)
{
    Handle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.valid()) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    }
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart >= MAXDWORD) return false;
    // One byte more than the size: a read that comes back short is the end.
    bytes.resize(static_cast<std::size_t>(size.QuadPart) + 1);
    std::size_t done = 0;
    for (;;) {
        DWORD count = 0;
        const DWORD wanted = static_cast<DWORD>(bytes.size() - done);
        if (!ReadFile(file.get(), &bytes[done], wanted, &count, nullptr)) return false;
        done += count;
        if (count < wanted) break;
        bytes.resize(bytes.size() * 2);
    }
    bytes.resize(done);
    return true;
}

// 0, or the error that kept the file from being written whole.
DWORD WriteWholeFile(const std::wstring& path, const std::string& bytes)
{
    Handle file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return GetLastError();
    DWORD written = 0;
    if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) return GetLastError();
    if (written != bytes.size()) return ERROR_HANDLE_DISK_FULL;
    return FlushFileBuffers(file.get()) ? 0 : GetLastError();
}

} // namespace

PathIndex::PathIndex()
{
    try {
        path = IndexPath();
        lock.emplace(path, kLockWaitMs);
        if (lock->held()) Load();
        else if (lock->error() != ERROR_TIMEOUT) lockError = lock->error();
    } catch (...) {
        // No AppData, or no memory: an empty index, never saved.
    }
}

bool PathIndex::contains(std::string directory) const
{
    return IndexHasLine(loaded, directory) || ListContains(added.begin(), added.end(), directory);
}

void PathIndex::add(std::string directory)
{
    added.push_back(std::move(directory));
    changed = true;
}

void PathIndex::Load()
{
    // What a run killed while saving may have left behind.
    DeleteFileW(PartialPath(path).c_str());
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) return;
    loaded.swap(bytes);
    saveAllowed = true;
}

unsigned long PathIndex::Save() const
{
    if (!changed) return 0;
    if (lockError != 0) return lockError;
    if (!saveAllowed) return 0;
    // A new file beside the old one, moved over it in one step: a failure or
    // a crash part-way leaves the old index as it was.
    const std::wstring partial = PartialPath(path);
    TextList entries = ParseIndexLines(loaded);
    entries.insert(entries.end(), added.begin(), added.end());
    DWORD error = WriteWholeFile(partial, FormatIndexLines(entries));
    // No Orvane folder: the user keeps no index, and velk makes none.
    if (error == ERROR_PATH_NOT_FOUND) return 0;
    if (error == 0 &&
        MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return 0;
    }
    if (error == 0) error = GetLastError();
    DeleteFileW(partial.c_str());
    return error;
}

void RecordInPathIndex(const std::wstring& folder)
{
    const std::optional<std::string> line = ToExactAnsi(folder);
    if (!line) return;
    PathIndex index;
    if (index.contains(*line)) return;
    index.add(*line);
    if (const DWORD error = index.Save()) {
        WriteStandardOutput(OutputText("インデックスを更新できませんでした: ").Add(RvWinException::FromCode(error).text()).Own("\n"));
    }
}

void DeletePathIndex()
{
    const std::wstring path = IndexPath();
    const IndexLock lock(path, kLockWaitMs);
    if (!lock.held()) throw RvWinException::FromCode(lock.error());
    // The index first: while it cannot go, nothing goes. Once it has gone,
    // the deletion has done what was asked: what a save left behind is only
    // ever deleted again, and never read.
    if (!DeleteFileW(path.c_str())) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) throw RvWinException::FromCode(error);
    }
    DeleteFileW(PartialPath(path).c_str());
}

TextList ParseIndexLines(const std::string& bytes)
{
    TextList lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        const std::size_t next = end == std::string::npos ? bytes.size() : end + 1;
        if (end == std::string::npos) end = bytes.size();
        else if (end > start && bytes[end - 1] == '\r') --end;
        lines.push_back(bytes.substr(start, end - start));
        start = next;
    }
    return lines;
}

bool IndexHasLine(const std::string& bytes, const std::string& line)
{
    if (line.find('\n') != std::string::npos) return false;
    for (std::size_t at = bytes.find(line); at < bytes.size(); at = bytes.find(line, at + 1)) {
        if (at > 0 && bytes[at - 1] != '\n') continue; // not where a line starts
        const std::size_t end = at + line.size();
        // A CR right before the LF belongs to the line end, not to the line.
        const bool endsInCr = !line.empty() && line.back() == '\r';
        if (end == bytes.size() || (bytes[end] == '\n' && !endsInCr) ||
            (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n')) {
            return true;
        }
    }
    return false;
}

std::string FormatIndexLines(const TextList& entries)
{
    std::string bytes;
    for (const std::string& entry : entries) bytes += entry + "\r\n";
    return bytes;
}
