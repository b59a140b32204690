#include "Harness.h"

#include "AnsiText.h"
#include "WinHandle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

std::wstring Wide(const std::string& cp932)
{
    return ToWide(cp932, 932);
}

namespace {

// Absolute paths in the form that lifts the MAX_PATH limit.
std::wstring LongPath(const std::wstring& path)
{
    return L"\\\\?\\" + path;
}

void Check(bool ok, const char* what)
{
    if (!ok) throw std::runtime_error(std::string(what) + " failed, error " + std::to_string(GetLastError()));
}

void RemoveTree(const std::string& path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string child = path + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

} // namespace

void MakeDirectories(const std::wstring& path)
{
    for (std::size_t i = 3; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == L'\\') CreateDirectoryW(LongPath(path.substr(0, i)).c_str(), nullptr);
    }
}

void MakeDirectories(const std::string& path)
{
    MakeDirectories(Wide(path));
}

Environment::Environment()
{
    wchar_t* block = GetEnvironmentStringsW();
    for (const wchar_t* entry = block; *entry != L'\0'; entry += lstrlenW(entry) + 1) {
        const std::wstring text = entry;
        const std::size_t equals = text.find(L'=', 1); // "=C:=C:\..." entries start with '='
        if (equals == std::wstring::npos) continue;
        variables_[text.substr(0, equals)] = text.substr(equals + 1);
    }
    FreeEnvironmentStringsW(block);
}

void Environment::Set(const std::string& name, const std::string& value)
{
    Set(Wide(name), Wide(value));
}

void Environment::Remove(const std::string& name)
{
    variables_.erase(Wide(name));
}

std::wstring Environment::Block() const
{
    std::wstring block;
    for (const auto& variable : variables_) {
        block += variable.first + L"=" + variable.second;
        block += L'\0';
    }
    block += L'\0';
    return block;
}

namespace {

// Starts one process with the given standard handles; its handles are owned
// by the caller.
PROCESS_INFORMATION StartProcess(const std::wstring& commandLine, const std::wstring& directory,
                                 const Environment& env, const std::wstring& application, HANDLE input, HANDLE output)
{
    STARTUPINFOW startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input;
    startup.hStdOutput = output;
    startup.hStdError = output;

    std::wstring line = commandLine;
    std::wstring block = env.Block();
    PROCESS_INFORMATION process;
    Check(CreateProcessW(application.empty() ? nullptr : application.c_str(), &line[0], nullptr, nullptr, TRUE,
                         CREATE_UNICODE_ENVIRONMENT, &block[0], directory.c_str(), &startup, &process) != FALSE,
          "CreateProcessW");
    return process;
}

Handle OpenNul(SECURITY_ATTRIBUTES& inheritable, DWORD access)
{
    return Handle(CreateFileA("NUL", access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable, OPEN_EXISTING, 0,
                              nullptr));
}

} // namespace

ProcessResult RunProcess(const std::string& commandLine, const std::string& directory, const Environment& env,
                         const char* application)
{
    return RunProcess(Wide(commandLine), Wide(directory), env,
                      application == nullptr ? std::wstring() : Wide(application));
}

ProcessResult RunProcess(const std::wstring& commandLine, const std::wstring& directory, const Environment& env,
                         const std::wstring& application)
{
    return RunningProcess(commandLine, directory, env, application).Finish();
}

RunningProcess::RunningProcess(const std::wstring& commandLine, const std::wstring& directory,
                               const Environment& env, const std::wstring& application)
{
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    Check(CreatePipe(&readEnd, &writeEnd, &inheritable, 0) != FALSE, "CreatePipe");
    reader_ = Handle(readEnd);
    Handle writer(writeEnd);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    Handle input = OpenNul(inheritable, GENERIC_READ);

    const PROCESS_INFORMATION process = StartProcess(commandLine, directory, env, application, input.get(),
                                                     writer.get());
    process_ = Handle(process.hProcess);
    CloseHandle(process.hThread);
}

ProcessResult RunningProcess::Finish()
{
    // Read until the program has ended, not until the pipe closes: what it
    // made Windows start may hold the pipe long after (Wine starts its
    // desktop process for the shell's error box, and that inherits it).
    const DWORD start = GetTickCount();
    for (bool ended = false; !ended;) {
        ended = WaitForSingleObject(process_.get(), 50) == WAIT_OBJECT_0 || GetTickCount() - start > 60000;
        char buffer[4096];
        DWORD available = 0;
        DWORD count = 0;
        while (PeekNamedPipe(reader_.get(), nullptr, 0, nullptr, &available, nullptr) && available > 0 &&
               ReadFile(reader_.get(), buffer, sizeof buffer, &count, nullptr) && count > 0) {
            result_.output.append(buffer, count);
        }
    }
    GetExitCodeProcess(process_.get(), &result_.exitCode);
    return result_;
}

std::vector<DWORD> RunTogether(const std::vector<std::string>& commandLines, const std::string& directory,
                               const Environment& env, const char* application)
{
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    Handle input = OpenNul(inheritable, GENERIC_READ);
    Handle output = OpenNul(inheritable, GENERIC_WRITE);
    std::vector<Handle> processes;
    for (const std::string& line : commandLines) {
        const PROCESS_INFORMATION process =
            StartProcess(Wide(line), Wide(directory), env, Wide(application), input.get(), output.get());
        CloseHandle(process.hThread);
        processes.emplace_back(process.hProcess);
    }
    std::vector<DWORD> exitCodes;
    for (const Handle& process : processes) {
        DWORD exitCode = STILL_ACTIVE;
        WaitForSingleObject(process.get(), 60000);
        GetExitCodeProcess(process.get(), &exitCode);
        exitCodes.push_back(exitCode);
    }
    return exitCodes;
}

std::string BinDirectory()
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string text(path, length);
    return text.substr(0, text.find_last_of('\\'));
}

std::string TestFolder()
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::string("C:\\velk-tests\\") + test->test_suite_name() + "\\" + test->name();
}

std::string TestObjectName(const std::string& what)
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::string("velk-tests.") + test->test_suite_name() + "." + test->name() + "." + what;
}

void MakeFreshDirectory(const std::string& path)
{
    RemoveTree(path);
    MakeDirectories(path);
}

void CopyProgram(const std::wstring& from, const std::wstring& to)
{
    Check(CopyFileW(LongPath(from).c_str(), LongPath(to).c_str(), FALSE) != FALSE, "CopyFileW");
}

void CopyProgram(const std::string& from, const std::string& to)
{
    CopyProgram(Wide(from), Wide(to));
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    const std::wstring wide = Wide(path);
    Handle file(CreateFileW((wide.size() < MAX_PATH ? wide : LongPath(wide)).c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    Check(file.valid(), "CreateFileW");
    DWORD written = 0;
    Check(WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != FALSE,
          "WriteFile");
}

std::string ReadFileBytes(const std::string& path)
{
    return ReadFileBytes(Wide(path));
}

std::string ReadFileBytes(const std::wstring& path)
{
    Handle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, 0, nullptr));
    Check(file.valid(), "CreateFileW");
    std::string bytes;
    char buffer[4096];
    DWORD count = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &count, nullptr) && count > 0) bytes.append(buffer, count);
    return bytes;
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WaitForFile(const std::string& path, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (!FileExists(path)) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(50);
    }
    return true;
}

std::vector<std::string> ListFolder(const std::string& path)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

namespace {

FILETIME PastDay()
{
    SYSTEMTIME day = {2001, 2, 0, 3, 4, 5, 6, 0};
    FILETIME time;
    SystemTimeToFileTime(&day, &time);
    return time;
}

} // namespace

void AgeFile(const std::string& path)
{
    Handle file(CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr));
    Check(file.valid(), "CreateFileA");
    const FILETIME time = PastDay();
    Check(SetFileTime(file.get(), nullptr, nullptr, &time) != FALSE, "SetFileTime");
}

bool FileIsAged(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
    const FILETIME time = PastDay();
    return CompareFileTime(&data.ftLastWriteTime, &time) == 0;
}

std::string WindowsText(DWORD code, const std::wstring& insert)
{
    const DWORD_PTR arguments[] = {reinterpret_cast<DWORD_PTR>(insert.c_str())};
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ARGUMENT_ARRAY, nullptr, code,
        MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<wchar_t*>(&buffer), 0,
        reinterpret_cast<va_list*>(const_cast<DWORD_PTR*>(arguments)));
    Check(length != 0, "FormatMessageW");
    std::wstring text(buffer, length);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r')) text.pop_back();
    return ToCodePageMarked(text, 932);
}
