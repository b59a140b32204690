#pragma once

#include "StandardOutput.h"

#include <windows.h>

#include <exception>
#include <string>

// The one failure that both programs report, a plain value that nothing
// throws while it is made: the text, the Windows error code that says the
// same to a script (velk's exit code under "wait"), and whether velk's long
// usage follows the text. Deliberately not a std::exception.
class RvWinException {
public:
    // The calling thread's last error: make it right after the failed call,
    // before any other system call overwrites that value.
    static RvWinException FromLastError() { return FromCode(GetLastError()); }
    // The system's text for a code, its %1 meaning insert (the file that the
    // shell was asked to start). Where the system has none, the failure of
    // that lookup, with usage, carrying the code asked for.
    static RvWinException FromCode(DWORD errorCode, const std::wstring& insert = std::wstring());
    // A text of the program's own (CP932, or pieces, the user's among them).
    static RvWinException FromText(const OutputText& text, DWORD errorCode = 1) { return {text, errorCode, false}; }
    static RvWinException FromText(const std::string& text, DWORD errorCode = 1) { return FromText(OutputText(text), errorCode); }
    // A failure of the environment or of the input rather than of a start:
    // without "wait", velk ends with -1 where others end with 1.
    static RvWinException WithUsage(const std::string& text, DWORD errorCode) { return {OutputText(text), errorCode, true}; }
    // What the standard library threw (memory or a length ran out): with
    // usage, ERROR_NOT_ENOUGH_MEMORY for memory, else 1.
    static RvWinException FromStandard(const std::exception& error);

    const std::string& message() const { return text_.Bytes(); }
    const OutputText& text() const { return text_; }
    DWORD code() const { return code_; }
    int exitStatus() const { return withUsage_ ? -1 : 1; }
    bool withUsage() const { return withUsage_; }

private:
    RvWinException(const OutputText& text, DWORD code, bool withUsage) : text_(text), code_(code), withUsage_(withUsage) {}

    OutputText text_;
    DWORD code_;
    bool withUsage_;
};
