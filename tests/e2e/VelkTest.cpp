// velk.exe started as a user would start it, under Wine with code page 932.
// The recorder stands in for the programs it starts (and for cmd.exe).
#include "VelkFixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST_F(Velk, HelpForNoArgumentAndForTheWordHelp)
{
    for (const char* arguments : {"", "help", "help su extra"}) {
        const ProcessResult result = Run(arguments);
        EXPECT_EQ(kShortHelp, result.output) << arguments;
        EXPECT_EQ(0u, result.exitCode) << arguments;
    }
    // An empty command line leaves the program no argument at all.
    const ProcessResult result = RunProcess("", "C:\\", env, (BinDirectory() + "\\velk.exe").c_str());
    EXPECT_EQ(kShortHelp, result.output);
    EXPECT_EQ(0u, result.exitCode);
    EXPECT_FALSE(FileExists(log));
}

TEST_F(Velk, SuStartsTheCommandPromptWithoutParameters)
{
    // In the test prefix cmd.exe is the recorder.
    for (const char* arguments : {"su", "su /k dir"}) {
        DeleteFileA(log.c_str());
        const ProcessResult result = Run(arguments, root);
        EXPECT_EQ("", result.output);
        EXPECT_EQ(0u, result.exitCode);
        EXPECT_EQ(Started("C:\\Windows\\System32\\cmd.exe", "C:\\Windows\\System32"), Record()) << arguments;
    }
}

TEST_F(Velk, DriveLetterTargetGetsEveryArgumentAsItCame)
{
    const std::string tool = root + "\\Tools\\tool.exe";
    PlaceRecorder(tool);
    const ProcessResult result = Run(tool + " a \"b c\" \"\" d \"say \\\"hi\\\"\" \"trailing\\\\\" C:\\x\\ \"フォルダ ソ\"");
    EXPECT_EQ("", result.output);
    EXPECT_EQ(0u, result.exitCode);
    EXPECT_EQ("command line=\"" + tool + "\" a \"b c\" \"\" d \"say \\\"hi\\\"\" trailing\\ C:\\x\\ \"フォルダ ソ\"\n"
              "directory=" + root + "\\Tools\n"
              "argument=a\nargument=b c\nargument=\nargument=d\nargument=say \"hi\"\nargument=trailing\\\n"
              "argument=C:\\x\\\nargument=フォルダ ソ\n",
              Record());
}

TEST_F(Velk, DriveLetterTargetInADoubleByteFolder)
{
    // ソ and 表 end in the byte 5C, which is no separator there.
    const std::string folder = root + "\\ソフト表";
    PlaceRecorder(folder + "\\tool.exe");
    const ProcessResult result = Run(folder + "\\tool.exe");
    EXPECT_EQ("", result.output);
    EXPECT_EQ(Started(folder + "\\tool.exe", folder), Record());
}

TEST_F(Velk, DriveLetterTargetWithoutBackslash)
{
    PlaceRecorder(root + "\\Slash\\tool.exe");
    std::string slashed = root + "/Slash/tool.exe";
    for (char& c : slashed) if (c == '\\') c = '/';
    const ProcessResult result = Run(slashed);
    EXPECT_EQ("", result.output);
    EXPECT_EQ(0u, result.exitCode);
    EXPECT_EQ(Started(slashed, root + "\\Slash"), Record());
}

TEST_F(Velk, RelativeTargetsStartInTheCurrentDirectory)
{
    const std::string work = root + "\\work";
    PlaceRecorder(work + "\\tool.exe");
    PlaceRecorder(work + "\\sub\\tool.exe");
    PlaceRecorder(root + "\\up.exe");
    struct Case {
        std::string target;
        std::string file;
    };
    const Case cases[] = {
        {".\\tool.exe", work + "\\tool.exe"},
        {"tool.exe", work + "\\tool.exe"},
        {"sub\\tool.exe", work + "\\sub\\tool.exe"},
        {"..\\up.exe", root + "\\up.exe"},
    };
    for (const Case& c : cases) {
        DeleteFileA(log.c_str());
        const ProcessResult result = Run(c.target + " -x", work);
        EXPECT_EQ("", result.output) << c.target;
        EXPECT_EQ(0u, result.exitCode) << c.target;
        EXPECT_EQ("command line=\"" + c.file + "\" -x\ndirectory=" + work + "\nargument=-x\n", Record())
            << c.target;
    }
}

TEST_F(Velk, PathTargetsStartInTheirPathEntry)
{
    PlaceRecorder(root + "\\first\\tool.exe");
    PlaceRecorder(root + "\\second\\tool.exe");
    PlaceRecorder(root + "\\second\\sub\\deep.exe");
    PlaceRecorder(root + "\\quoted\\quoted.exe");
    env.Set("PATH", ";" + root + "\\missing;;" + root + "\\first;" + root + "\\second;\"" + root + "\\quoted\";");

    ProcessResult result = Run("tool.exe");
    EXPECT_EQ("", result.output);
    EXPECT_EQ(Started(root + "\\first\\tool.exe", root + "\\first"), Record());

    DeleteFileA(log.c_str());
    result = Run("sub\\deep.exe");
    EXPECT_EQ("", result.output);
    EXPECT_EQ(Started(root + "\\second\\sub\\deep.exe", root + "\\second\\sub"), Record());

    // ソ ends in the byte 5C: the name holds no folder part.
    PlaceRecorder(root + "\\second\\ソ.exe");
    DeleteFileA(log.c_str());
    result = Run("ソ.exe");
    EXPECT_EQ("", result.output);
    EXPECT_EQ(Started(root + "\\second\\ソ.exe", root + "\\second"), Record());

    // An entry in quotes is used as it stands, so nothing is found through it;
    // no extension is ever added.
    for (const char* target : {"quoted.exe", "tool"}) {
        result = Run(target);
        EXPECT_EQ(kNotFound, result.output) << target;
        EXPECT_EQ(1u, result.exitCode) << target;
    }
}

TEST_F(Velk, TargetsNotFound)
{
    struct Case {
        std::string arguments;
        std::string output;
    };
    const Case cases[] = {
        {"C:\\velk-e2e\\no-such-folder\\tool.exe", kNotFoundOnDrive},
        {"C:\\velk-e2e\\no-such-folder\\tool.exe a b", kNotFoundOnDrive},
        {"no-such-program.exe", kNotFound},
        {"deleteindex", kNotFound}, // not a command word
        {"HELP", kNotFound},        // command words are case-sensitive
        {"Su", kNotFound},
    };
    for (const Case& c : cases) {
        const ProcessResult result = Run(c.arguments);
        EXPECT_EQ(c.output, result.output) << c.arguments;
        EXPECT_EQ(1u, result.exitCode) << c.arguments;
    }
    EXPECT_FALSE(FileExists(log));
}

TEST_F(Velk, StandardErrorsPrintTheLongUsage)
{
    struct Case {
        std::string arguments;
        std::string message;
    };
    const Case cases[] = {
        {"x", "invalid string position"},
        {"\"\" a", "invalid string position"},
    };
    for (const Case& c : cases) {
        const ProcessResult result = Run(c.arguments);
        EXPECT_EQ(c.message + "\r\n\r\n\r\n" + kLongUsage, result.output) << c.arguments;
        EXPECT_EQ(kStandardFailure, result.exitCode) << c.arguments;
    }

    env.Remove("PATH");
    const ProcessResult result = Run("no-such-program.exe");
    EXPECT_EQ("環境変数が存在しません。\r\n\r\n\r\n" + kLongUsage, result.output);
    EXPECT_EQ(kStandardFailure, result.exitCode);
}

TEST_F(Velk, FailedStartShowsTheSystemText)
{
    // Not a program: the shell refuses it.
    const std::string bad = root + "\\bad.exe";
    WriteFileBytes(bad, "this is no program");
    const ProcessResult result = Run(bad);
    EXPECT_EQ("エラーコード : 1400　ウィンドウ ハンドルが正しくありません。\r\n", result.output);
    EXPECT_EQ(1u, result.exitCode);
}

TEST_F(Velk, CurrentDirectoryOfMoreThanMaxPathBytes)
{
    // Fewer than MAX_PATH characters, but more than MAX_PATH bytes in code page 932.
    std::string work = root;
    while (work.size() <= 300) work += "\\ソフトウェア表示";
    PlaceRecorder(work + "\\tool.exe");
    const ProcessResult result = Run("tool.exe", work);
    EXPECT_EQ("", result.output);
    EXPECT_EQ(Started(work + "\\tool.exe", work), Record());
}

} // namespace
