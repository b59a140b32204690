#include "IndexLock.h"

#include "AnsiText.h"
#include "PathText.h"

#include <windows.h>

#include <cstdint>

namespace {

// The path's bytes for the name: in the ANSI code page where it has an exact
// form there, as every velk has named it; else UTF-8, which no such path has.
std::string LockKey(const std::wstring& indexPath)
{
    if (std::optional<std::string> ansi = ToExactAnsi(indexPath)) return *ansi;
    return ToExactCodePage(indexPath, CP_UTF8).value_or(std::string());
}

} // namespace

std::string IndexLockName(const std::wstring& indexPath)
{
    // A mutex name holds no backslash and has a length limit: a hash of the
    // path (64-bit FNV-1a) stands for it. Upper-cased as UTF-16, so that the
    // trail bytes of double-byte characters stay as they are.
    std::uint64_t hash = 14695981039346656037ull;
    for (char byte : LockKey(ToUpperAscii(indexPath))) {
        hash ^= static_cast<unsigned char>(byte);
        hash *= 1099511628211ull;
    }
    std::string name = "Local\\Orvane.velkindex.";
    for (int shift = 60; shift >= 0; shift -= 4) name += "0123456789abcdef"[(hash >> shift) & 0xF];
    return name;
}

IndexLock::IndexLock(const std::wstring& indexPath, unsigned long timeoutMs)
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
