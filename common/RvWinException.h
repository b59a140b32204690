#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

// The failure that both programs report with a message of their own: a failed
// Win32 call (the system's text for its error code) or a text of the program's.
// Deliberately not a std::exception: the entry points catch it first and print
// the message alone.
class RvWinException {
public:
    // Reads the calling thread's last error at once; construct it right after
    // the failed call, before any other system call overwrites that value.
    RvWinException();
    explicit RvWinException(DWORD errorCode);
    explicit RvWinException(const char* text);

    const std::string& message() const { return text_; }

private:
    std::string text_;
};

// "エラーコード : ", the code in unsigned decimal, a full-width space and the
// system text without the line break that ends it.
std::string ComposeErrorMessage(DWORD errorCode, const char* systemText, std::size_t length);

// What is thrown (as std::runtime_error) when the system has no text for a code:
// it names the error of the lookup itself.
std::string LookupFailureMessage(DWORD lookupError);
