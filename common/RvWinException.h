#pragma once

#include "StandardOutput.h"

#include <windows.h>

#include <cstddef>
#include <exception>
#include <string>

// The one failure that both programs report: a failed Win32 call (the
// system's text for its error code) or a text of the program's. It carries
// all that an entry point needs to report it: the text, the Windows error
// code that says the same to a script (velk's exit code under "wait"), the
// exit status without "wait", and whether velk's long usage follows the text.
// Deliberately not a std::exception.
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

    // A failure of the environment or of the program's input rather than of
    // a start: velk prints its long usage below the text and ends with -1
    // (the code without "wait").
    static RvWinException WithUsage(const std::string& text, DWORD errorCode);
    // What the standard library threw (memory or a length ran out), as a
    // failure of that kind: ERROR_NOT_ENOUGH_MEMORY for memory, else 1.
    static RvWinException FromStandard(const std::exception& error);

    // The message's CP932 bytes, as a pipe receives them.
    const std::string& message() const { return text_.Bytes(); }
    const OutputText& text() const { return text_; }
    DWORD code() const { return code_; }
    int exitStatus() const { return withUsage_ ? -1 : 1; }
    bool withUsage() const { return withUsage_; }

private:
    OutputText text_;
    DWORD code_;
    bool withUsage_ = false;
};

// "エラーコード : ", the code in unsigned decimal, a full-width space and the
// system text without the line break that ends it, its %1 filled with insert
// and its other inserts (%2 ... %99, each with its !format! if any) empty;
// length counts UTF-16 units.
OutputText ComposeErrorMessage(DWORD errorCode, const wchar_t* systemText, std::size_t length,
                               const std::wstring& insert = std::wstring());

// What is thrown (with usage, carrying the code that was asked for) when the
// system has no text for a code: it names the error of the lookup itself.
std::string LookupFailureMessage(DWORD lookupError);

