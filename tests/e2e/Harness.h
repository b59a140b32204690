#pragma once

// Starts the programs under test the way a user's console would, but with an
// environment and a working directory of the test's own, and captures what
// they write to standard output. Command lines, folders and variables go over
// as UTF-16, as Explorer and PowerShell hand them over; the wide forms reach
// characters that code page 932 cannot hold.
#include <windows.h>

#include "WinHandle.h"

#include <map>
#include <string>
#include <vector>

struct CaseInsensitiveLess {
    bool operator()(const std::wstring& a, const std::wstring& b) const
    {
        return lstrcmpiW(a.c_str(), b.c_str()) < 0;
    }
};

// The tests' narrow texts (paths, command lines) as UTF-16: their literals
// are CP932 bytes, as the compiler writes them, whatever the system's code
// page (1252 on an English Windows).
std::wstring Wide(const std::string& cp932);

// Windows' own text for an error code, as velk prints it (CP932, the line
// break that ends it cut, %1 filled with insert), read at run time: Japanese
// in a Japanese Wine prefix, English on an English runner.
std::string WindowsText(DWORD code, const std::wstring& insert = std::wstring());

// A copy of this process's environment that a test may change.
class Environment {
public:
    Environment();
    void Set(const std::string& name, const std::string& value);
    void Set(const std::wstring& name, const std::wstring& value) { variables_[name] = value; }
    void Remove(const std::string& name);
    std::wstring Block() const;

private:
    std::map<std::wstring, std::wstring, CaseInsensitiveLess> variables_;
};

struct ProcessResult {
    std::string output; // standard output, byte for byte
    DWORD exitCode = 0;
};

// A program started with its standard output to a pipe, which the test may
// watch while it runs.
class RunningProcess {
public:
    RunningProcess(const std::wstring& commandLine, const std::wstring& directory, const Environment& env,
                   const std::wstring& application = std::wstring());
    bool HasEnded() const { return WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0; }
    // Reads the output until the program has ended (a minute at most); its
    // output and exit code.
    ProcessResult Finish();

private:
    Handle reader_;
    Handle process_;
    ProcessResult result_;
};

// Runs commandLine in directory with env; application may name the program
// when the command line does not.
ProcessResult RunProcess(const std::wstring& commandLine, const std::wstring& directory, const Environment& env,
                         const std::wstring& application = std::wstring());
ProcessResult RunProcess(const std::string& commandLine, const std::string& directory, const Environment& env,
                         const char* application = nullptr);

// Starts every command line at once (standard output to NUL), then waits
// for all of them; their exit codes, in order.
std::vector<DWORD> RunTogether(const std::vector<std::string>& commandLines, const std::string& directory,
                               const Environment& env, const char* application);

// The folder that holds the test programs and the programs under test.
std::string BinDirectory();

// The running test's own folder, C:\velk-tests\SUITE\TEST: every name that
// a test makes (files, folders, and the lock names derived from them) lies
// below it, so tests in parallel processes of one prefix never meet.
std::string TestFolder();

// A name of the running test's own for an object that Windows names (a
// mutex, an event): velk-tests.SUITE.TEST.what.
std::string TestObjectName(const std::string& what);

// Makes a fresh, empty folder tree for one test (removing an older one).
void MakeFreshDirectory(const std::string& path);
void MakeDirectories(const std::string& path);
void MakeDirectories(const std::wstring& path);
void CopyProgram(const std::string& from, const std::string& to);
void CopyProgram(const std::wstring& from, const std::wstring& to);
void WriteFileBytes(const std::string& path, const std::string& bytes);
std::string ReadFileBytes(const std::string& path);
std::string ReadFileBytes(const std::wstring& path);
bool FileExists(const std::string& path);

// The names in a folder, "." and ".." left out, sorted.
std::vector<std::string> ListFolder(const std::string& path);

// Sets a file's last write time to a fixed day long past, and reads it back,
// so a test can tell whether a run wrote the file.
void AgeFile(const std::string& path);
bool FileIsAged(const std::string& path);

// Waits up to timeoutMs for a file to appear; true when it did.
bool WaitForFile(const std::string& path, DWORD timeoutMs);
