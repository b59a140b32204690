#pragma once

#include "WinHandle.h"

#include <string>

// Makes one velk run's read, addition and save of the index one step that
// no other run of the same user interleaves with. A named mutex: when a velk
// that holds it crashes or is killed, Windows hands it to the next waiter.
class IndexLock {
public:
    // Waits up to timeoutMs for the lock of the index file at indexPath.
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
    bool held_ = false;
    unsigned long error_ = 0;
};

// The mutex's name for an index file: the same for every spelling of the path
// that differs only in the letter case of a to z.
std::string IndexLockName(const std::wstring& indexPath);
