#pragma once

#include "StandardOutput.h"

#include <windows.h>

#include <cstddef>
#include <stdexcept>
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
    // insert: what the system's text means by %1 (the file that the shell
    // was asked to start); every other insert stays empty.
    explicit RvWinException(DWORD errorCode, const std::wstring& insert = std::wstring());
    // A text of the program's own (CP932), and the Windows error code that
    // says the same to a script (1 where none does).
    explicit RvWinException(const char* text, DWORD errorCode = 1);
    // A message made of several pieces (the user's text among them).
    RvWinException(const OutputText& text, DWORD errorCode) : text_(text), code_(errorCode) {}

    // The message's CP932 bytes, as a pipe receives them.
    const std::string& message() const { return text_.Bytes(); }
    const OutputText& text() const { return text_; }
    DWORD code() const { return code_; }

private:
    OutputText text_;
    DWORD code_;
};

// A standard failure that a Windows error code stands for (a missing
// environment variable is ERROR_ENVVAR_NOT_FOUND).
class CodedError : public std::runtime_error {
public:
    CodedError(const std::string& message, DWORD errorCode) : std::runtime_error(message), code_(errorCode) {}
    DWORD code() const { return code_; }

private:
    DWORD code_;
};

// "エラーコード : ", the code in unsigned decimal, a full-width space and the
// system text without the line break that ends it, its %1 filled with insert
// and its other inserts (%2 ... %99, each with its !format! if any) empty;
// length counts UTF-16 units.
OutputText ComposeErrorMessage(DWORD errorCode, const wchar_t* systemText, std::size_t length,
                               const std::wstring& insert = std::wstring());

// What is thrown (as a CodedError carrying the code that was asked for) when
// the system has no text for a code: it names the error of the lookup itself.
std::string LookupFailureMessage(DWORD lookupError);

// The Windows error code that a failure which reached an entry point stands
// for: a CodedError's own, ERROR_NOT_ENOUGH_MEMORY when memory ran out,
// ERROR_INVALID_PARAMETER for a text too short to be a name, else 1.
DWORD ErrorCodeOf(const std::exception& error);
