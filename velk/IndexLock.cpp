#include "IndexLock.h"

#include "AnsiText.h"
#include "PathText.h"

#include <windows.h>

#include <cstdint>

namespace {

const DWORD kLockFilePollMs = 20;

// Whether the lock file cannot be had just now because another run has it:
// held open (a sharing violation), or being deleted by the last holder
// (access denied while the delete is pending, when not even its attributes
// can be read). Any other failure (a folder at its name, a read-only file,
// permissions that deny the user) would never end: it is not waited out.
bool IsBusy(DWORD error, const std::wstring& lockFile)
{
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) return true;
    if (error != ERROR_ACCESS_DENIED) return false;
    if (GetFileAttributesW(lockFile.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
    const DWORD why = GetLastError();
    return why == ERROR_ACCESS_DENIED || why == ERROR_FILE_NOT_FOUND;
}

} // namespace

std::string IndexLockName(const std::wstring& indexPath)
{
    // A mutex name holds no backslash and has a length limit: a hash of the
    // path (64-bit FNV-1a) stands for it. Upper-cased as UTF-16, so that the
    // trail bytes of double-byte characters stay as they are. The bytes are
    // the ANSI code page's where the path has an exact form there, as every
    // velk has named it; else UTF-8, which no such path has.
    const std::wstring upper = ToUpperAscii(indexPath);
    const std::optional<std::string> key = ToExactAnsi(upper);
    std::uint64_t hash = 14695981039346656037ull;
    for (char byte : key ? *key : ToExactCodePage(upper, CP_UTF8).value_or(std::string())) {
        hash ^= static_cast<unsigned char>(byte);
        hash *= 1099511628211ull;
    }
    std::string name = "Local\\Orvane.velkindex.";
    for (int shift = 60; shift >= 0; shift -= 4) name += "0123456789abcdef"[(hash >> shift) & 0xF];
    return name;
}

std::wstring IndexLockFilePath(const std::wstring& indexPath)
{
    return indexPath + L".lock";
}

IndexLock::IndexLock(const std::wstring& indexPath, unsigned long timeoutMs)
    : mutex_(CreateMutexA(nullptr, FALSE, IndexLockName(indexPath).c_str()))
{
    if (!mutex_.valid()) {
        error_ = GetLastError();
        return;
    }
    const DWORD start = GetTickCount();
    // Abandoned: the last holder ended without releasing it; the lock is ours.
    const DWORD waited = WaitForSingleObject(mutex_.get(), timeoutMs);
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
        error_ = waited == WAIT_TIMEOUT ? ERROR_TIMEOUT : GetLastError();
        return;
    }
    const std::wstring lockFile = IndexLockFilePath(indexPath);
    for (;;) {
        file_ = Handle(CreateFileW(lockFile.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                   FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
        if (file_.valid()) break;
        const DWORD error = GetLastError();
        if (error == ERROR_PATH_NOT_FOUND) break; // no folder, no index to guard
        const bool busy = IsBusy(error, lockFile);
        if (!busy || GetTickCount() - start >= timeoutMs) {
            error_ = busy ? ERROR_TIMEOUT : error;
            ReleaseMutex(mutex_.get());
            return;
        }
        Sleep(kLockFilePollMs);
    }
    held_ = true;
}

IndexLock::~IndexLock()
{
    if (!held_) return;
    file_.reset();
    ReleaseMutex(mutex_.get());
}
