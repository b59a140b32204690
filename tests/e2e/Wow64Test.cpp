// velk on 64-bit Windows, where it runs under WOW64. Run in a 64-bit prefix
// (with a 64-bit program that only the real system32 holds) and in a 32-bit
// one, where nothing is redirected.
#include "VelkFixture.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const char kOnly64[] = "C:\\windows\\system32\\only64.exe";

void WithoutRedirection(const std::function<void()>& action)
{
    void* redirection = nullptr;
    const bool off = Wow64DisableWow64FsRedirection(&redirection) != FALSE;
    action();
    if (off) Wow64RevertWow64FsRedirection(redirection);
}

class Wow64 : public Velk {
protected:
    void SetUp() override
    {
        Velk::SetUp();
        BOOL wow64 = FALSE;
        underWow64 = IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
        const std::string program = BinDirectory() + (underWow64 ? "\\recorder64.exe" : "\\recorder.exe");
        WithoutRedirection([&] { CopyProgram(program, kOnly64); });
    }
    void TearDown() override
    {
        WithoutRedirection([] { DeleteFileA(kOnly64); });
    }

    bool underWow64 = false;
};

TEST_F(Wow64, VelkFindsWhatTheSystemFolderHolds)
{
    const std::string tool = root + "\\Tools\\tool.exe";
    PlaceRecorder(tool);
    struct Case {
        std::string arguments;
        std::string record;
        bool only64; // a 64-bit program, which Wine's shell cannot start for a 32-bit caller
    };
    const Case cases[] = {
        {"only64.exe a", "command line=\"" + std::string(kOnly64) + "\" a\ndirectory=C:\\windows\\system32\nargument=a\n",
         true},
        {kOnly64, Started(kOnly64, "C:\\windows\\system32"), true},
        {"cmd.exe /c x", "command line=\"C:\\windows\\system32\\cmd.exe\" /c x\ndirectory=C:\\windows\\system32\n"
                         "argument=/c\nargument=x\n",
         false},
        {tool + " a", "command line=\"" + tool + "\" a\ndirectory=" + root + "\\Tools\nargument=a\n", false},
        {"su", Started("C:\\Windows\\System32\\cmd.exe", "C:\\Windows\\System32"), false},
    };
    for (const Case& c : cases) {
        DeleteFileA(log.c_str());
        const ProcessResult result = Run(c.arguments);
        if (c.only64 && underWow64) {
            // Past velk's own search; Wine has no consent prompt, so the start
            // is redirected to SysWOW64, where the shell finds no such file.
            EXPECT_EQ("エラーコード : 2　ファイルが見つかりません。\r\n", result.output) << c.arguments;
            EXPECT_EQ(1u, result.exitCode) << c.arguments;
            EXPECT_FALSE(WaitForFile(log, 1000)) << c.arguments;
        } else {
            EXPECT_EQ("", result.output) << c.arguments;
            EXPECT_EQ(0u, result.exitCode) << c.arguments;
            EXPECT_EQ(c.record, Record()) << c.arguments;
        }
    }
}

} // namespace
