#include "IndexLock.h"

#include "PathText.h"

#include <windows.h>

#include <cstdint>

std::string IndexLockName(const std::string& indexPath)
{
    // A mutex name holds no backslash and has a length limit: a hash of the
    // path (64-bit FNV-1a) stands for it.
    std::uint64_t hash = 14695981039346656037ull;
    for (char byte : ToUpperAscii(indexPath)) {
        hash ^= static_cast<unsigned char>(byte);
        hash *= 1099511628211ull;
    }
    std::string name = "Local\\Orvane.velkindex.";
    for (int shift = 60; shift >= 0; shift -= 4) name += "0123456789abcdef"[(hash >> shift) & 0xF];
    return name;
}

IndexLock::IndexLock(const std::string& indexPath, unsigned long timeoutMs)
    : mutex_(CreateMutexA(nullptr, FALSE, IndexLockName(indexPath).c_str()))
{
    if (!mutex_.valid()) {
        error_ = GetLastError();
        return;
    }
    // Abandoned: the last holder ended without releasing it; the lock is ours.
    const DWORD waited = WaitForSingleObject(mutex_.get(), timeoutMs);
    held_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    if (!held_) error_ = waited == WAIT_TIMEOUT ? ERROR_TIMEOUT : GetLastError();
}

IndexLock::~IndexLock()
{
    if (held_) ReleaseMutex(mutex_.get());
}
