#pragma once

// What the end-to-end tests of velk share: the expected texts and a fixture
// that gives each test its own folder, PATH and AppData.
#include "Harness.h"
#include "Usage.h"

#include <gtest/gtest.h>

// velk's help texts, as it prints them: every line ending in CR LF.
inline std::string AsPrinted(const std::string& text)
{
    std::string printed;
    for (const char c : text) {
        if (c == '\n') printed += '\r';
        printed += c;
    }
    return printed;
}
inline const std::string kShortHelp = AsPrinted(ShortHelp());
inline const std::string kLongUsage = AsPrinted(LongUsage());

inline const std::string kNotFoundOnDrive = "指定されたファイルが見つかりません。\r\n";
inline const std::string kNotFound = "指定されたファイルが見つかりませんでした。\r\n";
inline const DWORD kStandardFailure = 0xFFFFFFFFu; // exit status -1

// A recorder that runs until the test releases it (RECORDER_HOLD), so that
// a test tells by state, not by time, whether velk waited for it.
class HeldProgram {
public:
    explicit HeldProgram(const std::string& name)
        : name_(name), release_(CreateEventA(nullptr, TRUE, FALSE, name.c_str()))
    {
    }
    ~HeldProgram() { SetEvent(release_.get()); } // one that a fault started ends too
    HeldProgram(const HeldProgram&) = delete;
    HeldProgram& operator=(const HeldProgram&) = delete;
    const std::string& name() const { return name_; }

    // Whether the recorder runs now.
    bool Runs() const
    {
        const Handle running = OpenRunning();
        if (!running.valid()) return false;
        const DWORD state = WaitForSingleObject(running.get(), 0);
        if (state != WAIT_TIMEOUT) ReleaseMutex(running.get());
        return state == WAIT_TIMEOUT;
    }

    // Lets the recorder end; whether it has ended within a minute.
    bool ReleaseAndAwaitEnd() const
    {
        const Handle running = OpenRunning();
        SetEvent(release_.get());
        if (!running.valid()) return true;
        const DWORD state = WaitForSingleObject(running.get(), 60000);
        if (state == WAIT_TIMEOUT) return false;
        ReleaseMutex(running.get());
        return true;
    }

private:
    Handle OpenRunning() const
    {
        return Handle(OpenMutexA(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, (name_ + ".running").c_str()));
    }

    std::string name_;
    Handle release_;
};

class Velk : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = TestFolder();
        MakeFreshDirectory(root);
        log = root + "\\record.txt";
        appData = root + "\\AppData";
        MakeDirectories(appData);
        env.Set("RECORDER_LOG", log);
        env.Set("PATH", "C:\\windows\\system32");
        env.Set("AppData", appData);
    }

    ProcessResult Run(const std::string& arguments, const std::string& directory = "C:\\")
    {
        return RunProcess("velk.exe" + (arguments.empty() ? "" : " " + arguments), directory, env,
                          (BinDirectory() + "\\velk.exe").c_str());
    }

    void PlaceRecorder(const std::string& path)
    {
        MakeDirectories(path.substr(0, path.rfind('\\')));
        CopyProgram(BinDirectory() + "\\recorder.exe", path);
    }

    // What the started program wrote down, or a note that nothing started.
    std::string Record()
    {
        if (!WaitForFile(log, 30000)) return "(nothing was started)";
        return ReadFileBytes(log);
    }

    // That the run started what record says, or nothing when it is empty.
    void ExpectStarted(const std::string& record, const std::string& what)
    {
        if (record.empty()) {
            EXPECT_FALSE(WaitForFile(log, 500)) << what << ": started " << ReadFileBytes(log);
        } else {
            EXPECT_EQ(record, Record()) << what;
        }
    }

    // The record of a program started with no parameters.
    static std::string Started(const std::string& file, const std::string& directory)
    {
        return "command line=\"" + file + "\"\ndirectory=" + directory + "\n";
    }

    std::string root;
    std::string log;
    std::string appData; // with no Orvane folder unless a test makes one
    Environment env;
};
