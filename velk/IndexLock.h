#pragma once

#include "WinHandle.h"

#include <string>

// Makes one velk run's read, addition and save of the index one step that
// no other run of the same user interleaves with, in any session, on this
// machine or another that shares the folder (AppData redirected to a share).
// Two locks, taken in turn:
// - a named mutex, as every earlier velk takes it (one per session), which
//   Windows hands to the next waiter when its holder crashes or is killed;
// - the file velkindex.dat.lock beside the index, opened with no sharing
//   and deleted when closed, which any session and machine sees, and which
//   Windows closes when its holder ends, however it ends.
// With no folder for the index there is nothing to guard: the lock is held.
class IndexLock {
public:
    // Waits up to timeoutMs for the lock of the index file at indexPath,
    // while another run holds it; fails at once for any other reason.
    IndexLock(const std::wstring& indexPath, unsigned long timeoutMs);
    ~IndexLock();
    IndexLock(const IndexLock&) = delete;
    IndexLock& operator=(const IndexLock&) = delete;

    // False when the wait ran out or the lock could not be made.
    bool held() const { return held_; }
    // Why it is not held: ERROR_TIMEOUT, or the error of the failed call.
    unsigned long error() const { return error_; }

private:
    Handle mutex_;
    Handle file_;
    bool held_ = false;
    unsigned long error_ = 0;
};

// The mutex's name for an index file: the same for every spelling of the path
// that differs only in the letter case of a to z.
std::string IndexLockName(const std::wstring& indexPath);

// The lock file of the index file at indexPath.
std::wstring IndexLockFilePath(const std::wstring& indexPath);
