// velk.exe started as a user would start it, under Wine with code page 932.
// The recorder stands in for the programs it starts (and for cmd.exe).
#include "VelkFixture.h"

#include "AnsiText.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

// Windows' text for 193 (a file that is no program), its %1 filled with
// the file as given.
std::string NotAProgram(const std::string& file)
{
    return "エラーコード : 193　" + WindowsText(ERROR_BAD_EXE_FORMAT, Wide(file)) + "\r\n";
}

// velk adds no extension, and says so when one would have found the file.
std::string NoExtensionAdded(const std::string& named)
{
    return "velk は拡張子を補いません。" + named + " と指定してください。\r\n";
}
const std::string kBatchRefusal = "バッチファイルに渡せない文字 (\" % 改行) が引数にあります。\r\n";
const std::string kStreamRefusal = "ストリーム名 (ファイル名の後の :) が付いたパスは起動しません。\r\n";
const std::string kExpandedPath = "パスに環境変数として展開される部分 (%名前%) があるため起動しません。\r\n";
const std::string kExpandedFolder = "作業フォルダーに環境変数として展開される部分 (%名前%) があるため起動しません。\r\n";
const std::string kPercentInBatchPath = "パスに % があるバッチファイルやショートカットは起動しません。\r\n";
const std::string kLongPathBatch =
    "cmd.exe は \\\\?\\ で始まるパスを実行できないため、このバッチファイルは起動しません。\r\n";
const std::string kDeviceNamespace = "デバイスの名前空間のパス (\\\\.\\) は起動しません。\r\n";

std::string Slashed(std::string path)
{
    for (char& c : path) if (c == '\\') c = '/';
    return path;
}

// The canary, run first on Windows: every test that reads a record counts on
// the environment that it gives velk reaching the program that velk starts
// elevated. Where it does not, this one says so, and the others need not run.
class Canary : public Velk {
};

TEST_F(Canary, TheEnvironmentReachesTheElevatedProgram)
{
    PlaceRecorder(root + "\\tool.exe");
    const ProcessResult result = Run("wait " + root + "\\tool.exe");
    EXPECT_EQ("", result.output);
    ASSERT_NE(99u, result.exitCode) << "the recorder did not get RECORDER_LOG from the test's environment";
    EXPECT_EQ(0u, result.exitCode);
    EXPECT_EQ(Started(root + "\\tool.exe", root), Record());
}

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
    // In the test prefix cmd.exe is the recorder, which ends with 1641 here.
    env.Set("RECORDER_EXIT", "1641");
    struct Case {
        std::wstring arguments;
        DWORD status;
    };
    const Case cases[] = {
        {L"su", 0},
        {L"su /k dir", 0},
        {L"su \u00E9", 0}, // what follows su is dropped, whatever its characters
        {L"wait su /k", 1641},
    };
    for (const Case& c : cases) {
        DeleteFileA(log.c_str());
        const ProcessResult result = RunProcess(L"velk.exe " + c.arguments, Wide(root), env, Wide(BinDirectory() + "\\velk.exe"));
        const std::string what = ToExactCodePage(c.arguments, CP_UTF8).value_or("?");
        EXPECT_EQ("", result.output) << what;
        EXPECT_EQ(c.status, result.exitCode) << what;
        EXPECT_EQ(Started("C:\\Windows\\System32\\cmd.exe", "C:\\Windows\\System32"), Record()) << what;
    }
}

TEST_F(Velk, DriveLetterTargetGetsEveryArgumentAsItCame)
{
    const std::string tool = root + "\\Tools\\tool.exe";
    PlaceRecorder(tool);
    const ProcessResult result = Run(tool + " a \"b c\" \"\" d \"say \\\"hi\\\"\" \"trailing\\\\\" C:\\x\\ \"フォルダ ソ\"");
    EXPECT_EQ("", result.output);
    EXPECT_EQ(0u, result.exitCode);
    EXPECT_EQ("command line=\"" + tool + "\" a \"b c\" \"\" d \"say \\\"hi\\\"\" \"trailing\\\\\" C:\\x\\ \"フォルダ ソ\"\n"
              "directory=" + root + "\\Tools\n"
              "argument=a\nargument=b c\nargument=\nargument=d\nargument=say \"hi\"\nargument=trailing\\\n"
              "argument=C:\\x\\\nargument=フォルダ ソ\n",
              Record());

    // A program with a parser of its own gets the rest of the line as typed.
    const std::string msiexec = root + "\\msi\\msiexec.exe";
    PlaceRecorder(msiexec);
    const std::string spaced = root + "\\Program Files";
    PlaceRecorder(spaced + "\\x\\tool.exe");
    struct Case {
        std::string arguments;
        std::string file;
        std::string parameters;
    };
    const std::string install = "/i \"C:\\pkgs\\app.msi\" INSTALLDIR=\"C:\\Program Files\\App\" /qn";
    const Case cases[] = {
        {"wait " + msiexec + " " + install, msiexec, install},
        {"wait  " + tool + "   a  b\t\"c  d\"  ", tool, "a  b\t\"c  d\"  "},
        {"\"" + spaced + "\\x\\tool.exe\" a", spaced + "\\x\\tool.exe", "a"},
        {"\"" + spaced + "\"\\x\\tool.exe a \"\"", spaced + "\\x\\tool.exe", "a \"\""},
        {"wait " + tool + " ", tool, ""},
    };
    for (const Case& c : cases) {
        DeleteFileA(log.c_str());
        const ProcessResult started = Run(c.arguments);
        EXPECT_EQ("", started.output) << c.arguments;
        const std::string record = Record();
        EXPECT_EQ("command line=\"" + c.file + "\"" + (c.parameters.empty() ? "" : " " + c.parameters),
                  record.substr(0, record.find("\ndirectory="))) << c.arguments;
    }
}

// The recorder's manifest asks for code page 932 (ja-JP), which Windows
// Server 2022 and later grant whatever the system's: there a program of code
// page 932 reads velk's Japanese arguments unchanged.
TEST_F(Velk, AProgramOfCodePage932ReadsJapaneseArgumentsUnchanged)
{
    const std::string folder = root + "\\ツール";
    PlaceRecorder(folder + "\\tool.exe");
    env.Set("RECORDER_CODE_PAGE", "1");
    const ProcessResult result = Run("wait " + folder + "\\tool.exe 表 \"フォルダ ソ\"");
    EXPECT_EQ("", result.output);
    const std::string record = Record();
    const std::string codePage = record.substr(0, record.find('\n'));
    if (codePage != "code page=932") GTEST_SKIP() << "the recorder did not get code page 932 (" << codePage << ")";
    EXPECT_EQ("code page=932\ncommand line=\"" + folder + "\\tool.exe\" 表 \"フォルダ ソ\"\ndirectory=" + folder +
                  "\nargument=表\nargument=フォルダ ソ\n",
              record);
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
    const std::string slashed = Slashed(root + "/Slash/tool.exe");
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

    DeleteFileA(log.c_str());
    result = Run("sub/deep.exe");
    EXPECT_EQ("", result.output);
    EXPECT_EQ(Started(root + "\\second\\sub/deep.exe", root + "\\second\\sub"), Record());

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
        EXPECT_EQ(kNotFound + (target[4] == '\0' ? NoExtensionAdded(target + std::string(".exe")) : ""),
                  result.output) << target;
        EXPECT_EQ(1u, result.exitCode) << target;
    }

    // In a drive's root, found through the entry C:\, it starts in that root.
    const std::string rooted = "C:\\velk-path-root.exe";
    CopyProgram(BinDirectory() + "\\recorder.exe", rooted);
    env.Set("PATH", "C:\\");
    DeleteFileA(log.c_str());
    result = Run("wait velk-path-root.exe", root);
    DeleteFileA(rooted.c_str());
    EXPECT_EQ(Started("C:\\velk-path-root.exe", "C:\\"), Record()); // one separator
}

// The program started is the one named: .\ and ..\ only from the current
// folder, a leading dot as part of a name, and a relative PATH entry as the
// folder below the current one that velk checked, started there.
TEST_F(Velk, StartsTheVeryFileNamed)
{
    const std::string work = root + "\\w\\a\\work";
    const std::string onPath = root + "\\w\\p\\q";
    PlaceRecorder(onPath + "\\setup.exe");
    PlaceRecorder(root + "\\w\\p\\setup.exe"); // ..\ read from the PATH entry
    PlaceRecorder(onPath + "\\here.exe");
    PlaceRecorder(work + "\\here.exe");
    PlaceRecorder(work + "\\.x.exe");
    PlaceRecorder(work + "\\..x.exe");
    PlaceRecorder(root + "\\w\\a\\workx.exe"); // a leading dot read as .\ or ..\ .
    PlaceRecorder(root + "\\w\\ax.exe");
    PlaceRecorder(work + "\\bin\\tool.exe");
    PlaceRecorder(work + "\\bin\\bin\\tool.exe"); // bin\tool.exe started from bin
    PlaceRecorder(root + "\\top\\top.exe");
    const std::string system32 = ";C:\\windows\\system32";
    struct Case {
        std::string target;
        std::string path;
        std::string record; // empty: nothing may start
    };
    const Case cases[] = {
        {".\\setup.exe", onPath + system32, ""},
        {"..\\setup.exe", onPath + system32, ""},
        {".\\here.exe", onPath + system32, Started(work + "\\here.exe", work)},
        {".x.exe", onPath + system32, Started(work + "\\.x.exe", work)},
        {"..x.exe", onPath + system32, Started(work + "\\..x.exe", work)},
        {"tool.exe", "bin" + system32, Started(work + "\\bin\\tool.exe", work + "\\bin")},
        {"top.exe", root.substr(2) + "\\top" + system32, Started(root + "\\top\\top.exe", root + "\\top")},
    };
    for (const Case& c : cases) {
        DeleteFileA(log.c_str());
        env.Set("PATH", c.path);
        const ProcessResult result = Run(c.target, work);
        EXPECT_EQ(c.record.empty() ? kNotFound : "", result.output) << c.target;
        EXPECT_EQ(c.record.empty() ? 1u : 0u, result.exitCode) << c.target;
        ExpectStarted(c.record, c.target);
    }
}

// A batch file's arguments, read by Wine's own cmd.exe (this test runs with
// it in place of the recorder), stay data. run.bat
// hands %* on to the recorder beside it, which writes down what arrived; what
// an injected command would start, pwned.exe, is a recorder too, and writes
// elsewhere (run.bat points its own recorder at the log).
TEST_F(Velk, BatchFileArgumentsAreNeverCommands)
{
    const std::string scripts = root + "\\scripts";
    const std::string onPath = root + "\\onpath";
    const std::string pwned = scripts + "\\pwned.exe";
    const std::string injected = root + "\\injected.txt";
    PlaceRecorder(pwned);
    for (const std::string& folder : {scripts, onPath}) {
        PlaceRecorder(folder + "\\recorder.exe");
        for (const char* name : {"\\run.bat", "\\run.cmd"}) {
            WriteFileBytes(folder + name, "@setlocal\r\n@set RECORDER_LOG=" + log + "\r\n@\"%~dp0recorder.exe\" %*\r\n");
        }
    }
    const std::vector<std::string> files = ListFolder(scripts);
    const std::string orvane = appData + "\\Orvane";
    MakeDirectories(orvane);
    env.Set("RECORDER_LOG", injected);
    const std::string run = scripts + "\\run.bat";
    // The last entry names the batch file itself: x\.. below it is run.bat.
    env.Set("PATH", "C:\\windows\\system32;" + onPath + ";" + run);
    // What %NAME% in a path would turn it into, were it expanded: a%E% into
    // the batch file a.bat, b%SECRET% into another folder.
    const std::string expands = root + "\\env";
    PlaceRecorder(expands + "\\a%E%");
    PlaceRecorder(expands + "\\recorder.exe");
    PlaceRecorder(root + "\\bs3cr3t\\recorder.exe");
    const std::string batch = "@setlocal\r\n@set RECORDER_LOG=" + log + "\r\n@\"%~dp0recorder.exe\" %*\r\n";
    for (const std::string& file : {expands + "\\a.bat", root + "\\bs3cr3t\\run.bat"}) WriteFileBytes(file, batch);
    MakeDirectories(root + "\\b%SECRET%");
    WriteFileBytes(root + "\\b%SECRET%\\run.bat", batch);
    env.Set("E", ".bat");
    env.Set("SECRET", "s3cr3t");
    // cmd.exe cannot run a \\?\ path: one with a plain form gets that one.
    std::string deep = root + "\\deep";
    while (deep.size() < MAX_PATH) deep += "\\" + std::string(60, 'd');
    MakeDirectories(deep);
    WriteFileBytes(deep + "\\run.bat", batch);

    struct Case {
        std::string arguments;
        std::vector<std::string> arrived; // {"refused"}: nothing may start
        std::string output = kBatchRefusal; // what a refusal says
    };
    const Case cases[] = {
        // First, while the index is empty: a start would record scripts.
        {expands + "\\a%E% x%SECRET% a&" + pwned, {"refused"}, kExpandedPath},
        {root + "\\b%SECRET%\\run.bat a", {"refused"}, kPercentInBatchPath},
        {"\\\\?\\" + deep + "\\run.bat a", {"refused"}, kLongPathBatch},
        {run + " a\\\"&calc&\\\"b", {"refused"}},
        {run + " %PATH%", {"refused"}},
        {run + " ok \"a\nb\"", {"refused"}},
        {run + " ok \"a\rb\"", {"refused"}},
        {run + "\\. x%PATH%", {"refused"}}, // Windows opens run.bat\. as run.bat
        {"x\\.. x%PATH%", {"refused"}},      // and run.bat\x\.. too, found along the PATH
        {"\\\\?\\" + run + " a&" + pwned, {"a&" + pwned}},
        {"//?/" + Slashed(run) + " a", {"a"}},
        {run + " a&" + pwned, {"a&" + pwned}},
        {run + " a|" + pwned, {"a|" + pwned}},
        {run + " a>" + scripts + "\\out.txt", {"a>" + scripts + "\\out.txt"}},
        {run + " x^&(" + pwned + ")", {"x^&(" + pwned + ")"}},
        {scripts + "\\RUN.BAT a&" + pwned, {"a&" + pwned}},
        {scripts + "\\run.CmD a&" + pwned, {"a&" + pwned}},
        {run + ". a&" + pwned, {"a&" + pwned}},
        {"\"" + run + ". .\" a&" + pwned, {"a&" + pwned}},
        {"run.bat a&" + pwned, {"a&" + pwned}}, // found on the PATH
        {run + " plain \"two words\" \"フォルダ ソ\" \"\" ,;= ソ表 \"end\\\\\"",
         {"plain", "two words", "フォルダ ソ", "", ",;=", "ソ表", "end\\"}},
        {run, {}},
    };
    for (const Case& c : cases) {
        DeleteFileA(log.c_str());
        DeleteFileA(injected.c_str());
        const ProcessResult result = Run(c.arguments);
        const bool isRefused = c.arrived == std::vector<std::string>{"refused"};
        EXPECT_EQ(isRefused ? c.output : "", result.output) << c.arguments;
        EXPECT_EQ(isRefused ? 1u : 0u, result.exitCode) << c.arguments;
        if (isRefused) {
            EXPECT_FALSE(WaitForFile(log, 500)) << c.arguments << ": started " << ReadFileBytes(log);
            EXPECT_EQ(std::vector<std::string>{}, ListFolder(orvane)) << c.arguments;
        } else {
            std::string arrived;
            for (const std::string& argument : c.arrived) arrived += "argument=" + argument + "\n";
            const std::string record = Record();
            const std::size_t first = record.find("\nargument=");
            EXPECT_EQ(0u, record.find("command line=")) << c.arguments << ": " << record;
            EXPECT_EQ(arrived, first == std::string::npos ? "" : record.substr(first + 1)) << c.arguments;
        }
        EXPECT_FALSE(WaitForFile(injected, 500)) << c.arguments << ": injected " << ReadFileBytes(injected);
        EXPECT_EQ(files, ListFolder(scripts)) << c.arguments;
    }

    // Waited for, the arguments are data as ever, and the batch file's exit
    // code, its last command's, is velk's.
    DeleteFileA(log.c_str());
    env.Set("RECORDER_EXIT", "3010");
    ProcessResult result = Run("wait " + run + " a&" + pwned);
    EXPECT_EQ("", result.output);
    EXPECT_EQ(3010u, result.exitCode);
    EXPECT_NE(std::string::npos, Record().find("\nargument=a&" + pwned + "\n"));
    EXPECT_FALSE(WaitForFile(injected, 500)) << "injected " << ReadFileBytes(injected);
    env.Remove("RECORDER_EXIT");

    // A program's arguments go as they are: the program's own runtime, not
    // cmd.exe, reads them.
    DeleteFileA(log.c_str());
    env.Set("RECORDER_LOG", log);
    result = Run(scripts + "\\recorder.exe \"a&b\" %PATH%");
    EXPECT_EQ("", result.output);
    EXPECT_EQ("command line=\"" + scripts + "\\recorder.exe\" \"a&b\" %PATH%\ndirectory=" + scripts +
                  "\nargument=a&b\nargument=%PATH%\n",
              Record());
}

TEST_F(Velk, TargetsNotFound)
{
    // A PATH of the test's own: Windows' System32 holds help.exe, and who
    // knows what else.
    PlaceRecorder(root + "\\path\\msiexec.exe");
    env.Set("PATH", root + "\\path");
    struct Case {
        std::string arguments;
        std::string output;
    };
    const Case cases[] = {
        {root + "\\no-such-folder\\tool.exe", kNotFoundOnDrive},
        {root + "\\no-such-folder\\tool.exe a b", kNotFoundOnDrive},
        {"no-such-program.exe", kNotFound},
        {"no-such-program", kNotFound}, // with no extension either
        {"wait msiexec /i \"C:\\pkgs\\app.msi\" /qn", kNotFound + NoExtensionAdded("msiexec.exe")},
        {"HELP", kNotFound}, // command words are case-sensitive (the other words: the Invocation table)
    };
    for (const Case& c : cases) {
        const ProcessResult result = Run(c.arguments);
        EXPECT_EQ(c.output, result.output) << c.arguments;
        // Under wait, ERROR_FILE_NOT_FOUND.
        EXPECT_EQ(c.arguments.compare(0, 5, "wait ") == 0 ? 2u : 1u, result.exitCode) << c.arguments;
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
    env.Remove("AppData");
    for (const char* arguments : {"no-such-program.exe", "deleteindex"}) {
        const ProcessResult result = Run(arguments);
        EXPECT_EQ("環境変数が存在しません。\r\n\r\n\r\n" + kLongUsage, result.output) << arguments;
        EXPECT_EQ(kStandardFailure, result.exitCode) << arguments;
    }
}

// "wait" starts what velk would start, waits until it has ended and ends with
// its exit code, every bit of it; velk's own failures are as without it.
TEST_F(Velk, WaitEndsWithTheStartedProgramsExitCode)
{
    const std::string tool = root + "\\Tools\\tool.exe";
    PlaceRecorder(tool);
    const std::string bad = root + "\\bad.exe";
    WriteFileBytes(bad, "this is no program");
    for (const char* shortcut : {"\\run.lnk", "\\run.pif"}) WriteFileBytes(root + shortcut, "a shortcut");
    struct Case {
        std::string arguments;
        const char* programExit;
        DWORD status;
        std::string output;
        std::string record; // empty: nothing may start
    };
    const Case cases[] = {
        {"wait " + tool + " a", "0", 0, "", "command line=\"" + tool + "\" a\ndirectory=" + root + "\\Tools\nargument=a\n"},
        {"wait " + tool, "3010", 3010, "", Started(tool, root + "\\Tools")},
        {"wait " + tool, "0xC000013A", 0xC000013Au, "", Started(tool, root + "\\Tools")},
        {tool, "3010", 0, "", Started(tool, root + "\\Tools")}, // no waiting without the word
        {"wait", "5", 0, kShortHelp, ""},
        {"wait help", "5", 0, kShortHelp, ""},
        {"wait no-such-program.exe", "5", ERROR_FILE_NOT_FOUND, kNotFound, ""},
        {"wait " + root + "\\no\\tool.exe", "5", ERROR_FILE_NOT_FOUND, kNotFoundOnDrive, ""},
        {"wait " + bad, "5", ERROR_BAD_EXE_FORMAT, NotAProgram(bad), ""},
        {bad, "5", 1, NotAProgram(bad), ""}, // not a program: the shell refuses it, and shows no box
        {"wait x", "5", ERROR_INVALID_PARAMETER, "invalid string position\r\n\r\n\r\n" + kLongUsage, ""},
        {"wait run.lnk a%b", "5", ERROR_INVALID_PARAMETER, kBatchRefusal, ""}, // a shortcut may lead to a batch file
        {"run.LNK. a%b", "5", 1, kBatchRefusal, ""},
        {"wait run.pif a%b", "5", ERROR_INVALID_PARAMETER, kBatchRefusal, ""},
        {"wait run.lnk::$DATA a", "5", ERROR_INVALID_NAME, kStreamRefusal, ""},
    };
    int number = 0;
    for (const Case& c : cases) {
        DeleteFileA(log.c_str());
        env.Set("RECORDER_EXIT", c.programExit);
        // The program runs until it is released: under "wait", velk is still
        // running then; without, velk has ended and left it running.
        const HeldProgram program(TestObjectName(std::to_string(++number)));
        env.Set("RECORDER_HOLD", program.name());
        RunningProcess velk(Wide("velk.exe " + c.arguments), Wide(root), env, Wide(BinDirectory() + "\\velk.exe"));
        const bool waits = c.arguments.compare(0, 5, "wait ") == 0;
        ProcessResult result;
        if (c.record.empty()) {
            result = velk.Finish();
            // What velk waited for would have written its record by now.
            if (waits) EXPECT_FALSE(FileExists(log)) << c.arguments << ": started " << ReadFileBytes(log);
            else ExpectStarted("", c.arguments);
        } else if (waits) {
            EXPECT_EQ(c.record, Record()) << c.arguments;
            EXPECT_FALSE(velk.HasEnded()) << c.arguments << ": velk ended while the program ran";
            EXPECT_TRUE(program.ReleaseAndAwaitEnd()) << c.arguments;
            result = velk.Finish();
        } else {
            result = velk.Finish();
            EXPECT_EQ(c.record, Record()) << c.arguments;
            EXPECT_TRUE(program.Runs()) << c.arguments << ": velk waited for the program";
            EXPECT_TRUE(program.ReleaseAndAwaitEnd()) << c.arguments;
        }
        EXPECT_EQ(c.output, result.output) << c.arguments;
        EXPECT_EQ(c.status, result.exitCode) << c.arguments;
    }
    env.Remove("PATH");
    const ProcessResult result = Run("wait no-such-program.exe", root);
    EXPECT_EQ("環境変数が存在しません。\r\n\r\n\r\n" + kLongUsage, result.output);
    EXPECT_EQ(static_cast<DWORD>(ERROR_ENVVAR_NOT_FOUND), result.exitCode);
}

// Started as Explorer and PowerShell start it, with UTF-16 text that code
// page 932 cannot all hold. Windows would hand an ANSI program a look-alike
// (cafe for café, a backslash for ¥): velk starts the very file with the very
// characters, as the recorder, asked to write UTF-8, shows.
TEST_F(Velk, CharactersOutsideTheCodePageAreStartedExactly)
{
    const auto utf8 = [](const std::wstring& text) { return ToExactCodePage(text, CP_UTF8).value_or("?"); };
    const auto started = [&](const std::wstring& file, const std::wstring& directory, const std::wstring& rest,
                             const std::vector<std::wstring>& arguments) {
        std::string record = "command line=\"" + utf8(file) + "\"" + (rest.empty() ? "" : " " + utf8(rest)) +
                             "\ndirectory=" + utf8(directory) + "\n";
        for (const std::wstring& argument : arguments) record += "argument=" + utf8(argument) + "\n";
        return record;
    };
    env.Set("RECORDER_UTF8", "1");
    const std::wstring wideRoot = Wide(root);
    const std::wstring cafe = wideRoot + L"\\caf\u00E9";
    PlaceRecorder(root + "\\cafe\\tool.exe"); // its look-alike, never started
    MakeDirectories(cafe);
    CopyProgram(Wide(BinDirectory() + "\\recorder.exe"), cafe + L"\\tool.exe");
    const std::wstring tools = wideRoot + L"\\Tools";
    const std::string work = root + "\\work";
    PlaceRecorder(root + "\\Tools\\tool.exe");
    PlaceRecorder(work + "\\tool.exe");
    PlaceRecorder(work + "\\sub\\tool.exe");
    const std::wstring velk = Wide(BinDirectory() + "\\velk.exe");
    const std::wstring naive = wideRoot + L"\\na\u00EFve\\velk.exe";
    MakeDirectories(wideRoot + L"\\na\u00EFve");
    CopyProgram(velk, naive);
    const std::wstring roaming = wideRoot + L"\\d\u00E4ta"; // and its look-alike, data
    MakeDirectories(roaming + L"\\Orvane");
    MakeDirectories(root + "\\data\\Orvane");

    const std::wstring system32 = L"C:\\windows\\system32";
    const std::wstring noDefault = L"NoDefaultCurrentDirectoryInExePath";
    using Variables = std::vector<std::pair<std::wstring, std::wstring>>;
    struct Case {
        const char* what;
        std::wstring arguments;
        std::string output;
        std::string record; // empty: nothing may start
        std::wstring directory = L"C:\\";
        Variables variables = {};
        std::wstring program = L"";
    };
    const std::string toolStarted = started(tools + L"\\tool.exe", tools, L"", {});
    const std::string cafeStarted = started(cafe + L"\\tool.exe", cafe, L"", {});
    const std::wstring wideWork = Wide(work);
    const Case cases[] = {
        {"a target under cafe with an acute e", cafe + L"\\tool.exe", "", cafeStarted},
        {"a yen sign in an argument", tools + L"\\tool.exe \"a\u00A5\" \"b c\"", "",
         started(tools + L"\\tool.exe", tools, L"\"a\u00A5\" \"b c\"", {L"a\u00A5", L"b c"})},
        {"a soft hyphen", tools + L"\\tool.exe \u00ADdelete-all", "",
         started(tools + L"\\tool.exe", tools, L"\u00ADdelete-all", {L"\u00ADdelete-all"})},
        {"u with diaeresis and a character beyond 16 bits", tools + L"\\tool.exe M\u00FCller \U0001F600", "",
         started(tools + L"\\tool.exe", tools, L"M\u00FCller \U0001F600", {L"M\u00FCller", L"\U0001F600"})},
        {"help", L"help \u00E9", kShortHelp, ""},
        {"velk kept in a folder naive with a diaeresis", tools + L"\\tool.exe a", "",
         started(tools + L"\\tool.exe", tools, L"a", {L"a"}), L"C:\\", {}, naive},
        {"velk kept there, a doubled quote", L"wait " + tools + L"\\tool.exe \"a\"\"b c\"", "",
         started(tools + L"\\tool.exe", tools, L"\"a\"\"b c\"", {L"a\"b c"}), L"C:\\", {}, naive},
        {"velk kept there, help", L"help", kShortHelp, "", L"C:\\", {}, naive},
        {"a PATH entry cafe (acute)", L"tool.exe", "", cafeStarted, L"C:\\",
         {{L"PATH", system32 + L";" + cafe + L";" + tools}}},
        {"the current directory cafe (acute)", L".\\tool.exe", "", started(cafe + L"\\tool.exe", cafe, L"", {}), cafe},
        {"AppData with an a-umlaut", tools + L"\\tool.exe", "", toolStarted, L"C:\\", {{L"AppData", roaming}}},
        {"NoDefaultCurrentDirectoryInExePath: a bare name", L"tool.exe", kNotFound, "", wideWork, {{noDefault, L"1"}}},
        {"NoDefaultCurrentDirectoryInExePath: on to the PATH", L"tool.exe", "", toolStarted, wideWork,
         {{noDefault, L"1"}, {L"PATH", system32 + L";" + tools}}},
        {"NoDefaultCurrentDirectoryInExePath: .\\", L".\\tool.exe", "", Started(work + "\\tool.exe", work),
         wideWork, {{noDefault, L"1"}}},
        {"NoDefaultCurrentDirectoryInExePath: sub\\", L"sub\\tool.exe", "",
         Started(work + "\\sub\\tool.exe", work), wideWork, {{noDefault, L"1"}}},
        {"NoDefaultCurrentDirectoryInExePath: ./", L"./tool.exe", "", Started(work + "/tool.exe", work), wideWork,
         {{noDefault, L"1"}}},
        {"NoDefaultCurrentDirectoryInExePath: sub/", L"sub/tool.exe", "", Started(work + "\\sub/tool.exe", work),
         wideWork, {{noDefault, L"1"}}},
    };
    for (const Case& c : cases) {
        DeleteFileA(log.c_str());
        Environment caseEnv = env;
        for (const auto& variable : c.variables) caseEnv.Set(variable.first, variable.second);
        const ProcessResult result = RunProcess(L"velk.exe " + c.arguments, c.directory, caseEnv,
                                                c.program.empty() ? velk : c.program);
        EXPECT_EQ(c.output, result.output) << c.what;
        EXPECT_EQ(c.output.empty() || c.output == kShortHelp ? 0u : 1u, result.exitCode) << c.what;
        ExpectStarted(c.record, c.what);
    }
    // The folder was recorded under the AppData given, and none under its
    // look-alike.
    EXPECT_EQ(root + "\\Tools\r\n", ReadFileBytes(roaming + L"\\Orvane\\velkindex.dat"));
    EXPECT_EQ(std::vector<std::string>{}, ListFolder(root + "\\data\\Orvane"));
}

// A share in every spelling (Wine serves \\server\share from the prefix's
// dosdevices\unc\server\share; a Windows runner has no such share): it
// starts in its own folder, and its folders are recorded as drive-letter
// paths are.
TEST_F(Velk, SharesAndTheirLiteralForms)
{
    char prefix[MAX_PATH];
    ASSERT_NE(0u, GetEnvironmentVariableA("WINEPREFIX", prefix, MAX_PATH));
    std::string shareFolder = "Z:" + std::string(prefix) + "/dosdevices/unc/velkserver/deploy";
    for (char& c : shareFolder) if (c == '/') c = '\\';
    MakeFreshDirectory(shareFolder);
    CopyProgram(BinDirectory() + "\\recorder.exe", shareFolder + "\\tool.exe");
    MakeDirectories(shareFolder + "\\dir\\sub");
    CopyProgram(BinDirectory() + "\\recorder.exe", shareFolder + "\\dir\\sub\\tool.exe");
    const std::string share = "\\\\velkserver\\deploy";
    PlaceRecorder(root + "\\velkserver\\deploy\\tool.exe"); // //velkserver/... read as a relative name
    MakeDirectories(appData + "\\Orvane");
    struct Case {
        std::string arguments;
        std::string output;
        std::string record; // empty: nothing may start
    };
    const Case cases[] = {
        {share + "\\tool.exe a \"b c\"", "",
         "command line=\"" + share + "\\tool.exe\" a \"b c\"\ndirectory=" + share + "\nargument=a\nargument=b c\n"},
        {"\\\\?\\UNC\\velkserver\\deploy\\tool.exe", "", Started("\\\\?\\UNC\\velkserver\\deploy\\tool.exe", share)},
        {share + "\\nope.exe", kNotFoundOnDrive, ""},
        {"//velkserver/deploy/tool.exe a", "",
         "command line=\"//velkserver/deploy/tool.exe\" a\ndirectory=" + share + "\nargument=a\n"},
        {"//velkserver/deploy/nope.exe", kNotFoundOnDrive, ""},
        {share + "\\dir/sub/tool.exe", "", Started(share + "\\dir/sub/tool.exe", share + "\\dir\\sub")},
    };
    for (const Case& c : cases) {
        DeleteFileA(log.c_str());
        const ProcessResult result = Run(c.arguments, root);
        EXPECT_EQ(c.output, result.output) << c.arguments;
        EXPECT_EQ(c.output.empty() ? 0u : 1u, result.exitCode) << c.arguments;
        ExpectStarted(c.record, c.arguments);
    }
    EXPECT_EQ(share + "\r\n" + share + "\\dir\\sub\r\n", ReadFileBytes(appData + "\\Orvane\\velkindex.dat"));
}

// Every other form of a path to the file: the long-path forms, one leading
// backslash (the current drive's root, never the PATH); and a folder of the
// target's name is never the program.
TEST_F(Velk, EveryFormOfAPathAndNeverAFolder)
{
    const std::string tools = root + "\\Tools";
    const std::string fromRoot = root.substr(2); // \velk-tests\Velk\NAME
    const std::string slashedRoot = Slashed(fromRoot); // /velk-tests/Velk/NAME
    PlaceRecorder(tools + "\\tool.exe");
    PlaceRecorder(tools + "\\sub\\tool.exe");
    PlaceRecorder(root + "\\literal\\tool.exe");
    PlaceRecorder(root + "\\OnPath\\tool.exe");
    MakeDirectories(root + "\\empty");
    PlaceRecorder(root + "\\decoy" + fromRoot + "\\Tools\\tool.exe");
    PlaceRecorder(root + "\\decoy" + fromRoot + "\\nowhere\\tool.exe");
    MakeDirectories(root + "\\folders\\tool.exe");
    MakeDirectories(appData + "\\Orvane");
    const std::string decoyPath = "C:\\windows\\system32;" + root + "\\decoy";
    // %SECRET% in a path or a working folder, and what its expansion names.
    env.Set("SECRET", "s3cr3t");
    PlaceRecorder(root + "\\env\\p%SECRET%.exe");
    PlaceRecorder(root + "\\env\\ps3cr3t.exe");
    PlaceRecorder(root + "\\up.exe");
    MakeDirectories(root + "\\d%SECRET%");
    MakeDirectories(root + "\\ds3cr3t");
    PlaceRecorder(root + "\\100%\\tool.exe");
    PlaceRecorder(root + "\\dr\\x.exe");
    PlaceRecorder(root + "\\dr\\dr\\x.exe"); // C:dr\x.exe read in its working folder
    struct Case {
        std::string arguments;
        std::string path;
        std::string output;
        std::string record; // empty: nothing may start
        std::string from = ""; // the current folder, when not root
    };
    const Case cases[] = {
        {"\\\\?\\" + tools + "\\tool.exe", "", "", Started("\\\\?\\" + tools + "\\tool.exe", tools)},
        {"//?/" + Slashed(tools) + "/tool.exe", "", "", Started("//?/" + Slashed(tools) + "/tool.exe", tools)},
        {fromRoot + "\\Tools\\tool.exe", decoyPath, "", Started(tools + "\\tool.exe", root)},
        {fromRoot + "\\nowhere\\tool.exe", decoyPath, kNotFound, ""},
        {"tool.exe", root + "\\folders;" + tools, "", Started(tools + "\\tool.exe", tools)},
        {"tool.exe", root + "\\folders", kNotFound, ""},
        {root + "\\folders\\tool.exe", "", kNotFoundOnDrive, ""},
        // / is \ wherever a path is taken apart.
        {slashedRoot + "/Tools/tool.exe", decoyPath, "", Started("C:" + slashedRoot + "/Tools/tool.exe", root)},
        {tools + "/sub/tool.exe", "", "", Started(tools + "/sub/tool.exe", tools + "\\sub")},
        // One folder in several spellings; a folder on the PATH, letter case aside.
        {"C:" + slashedRoot + "/Tools/tool.exe", "", "", Started("C:" + slashedRoot + "/Tools/tool.exe", tools)},
        {tools + "\\.\\tool.exe", "", "", Started(tools + "\\.\\tool.exe", tools)},
        {tools + "\\..\\Tools\\tool.exe", "", "", Started(tools + "\\..\\Tools\\tool.exe", tools)},
        {"\\\\?\\" + root + "\\OnPath\\tool.exe", root + "\\onpath", "",
         Started("\\\\?\\" + root + "\\OnPath\\tool.exe", root + "\\OnPath")},
        // After \\?\ Windows reads no . and no /: these name no file.
        {"\\\\?\\" + root + "\\literal\\.\\tool.exe", "", kNotFoundOnDrive, ""},
        {"\\\\?\\" + root + "/literal/tool.exe", "", kNotFoundOnDrive, ""},
        // Devices are never programs.
        {root + "\\empty\\NUL", "", kNotFoundOnDrive, ""},
        {root + "\\empty\\NUL\\.", "", kNotFoundOnDrive, ""},
        {"NUL", "", kNotFound, ""},
        {"\\\\.\\" + tools + "\\tool.exe", "", kDeviceNamespace, ""},
        // Read in drive C's current folder, handed to the shell in full.
        {"C:dr\\x.exe", "", "", Started(root + "\\dr\\x.exe", root + "\\dr")},
        // Nothing that %NAME% expansion would change: not the path, nor its
        // working folder, nor a name that the hint would suggest.
        {root + "\\env\\p%SECRET%.exe zz", "", kExpandedPath, ""},
        {root + "\\env\\p%SECRET%", "", kNotFoundOnDrive, ""},
        {"..\\up.exe", "", kExpandedFolder, "", root + "\\d%SECRET%"},
        {root + "\\100%\\tool.exe a", "", "",
         "command line=\"" + root + "\\100%\\tool.exe\" a\ndirectory=" + root + "\\100%\nargument=a\n"},
    };
    for (const Case& c : cases) {
        DeleteFileA(log.c_str());
        env.Set("PATH", c.path.empty() ? "C:\\windows\\system32" : c.path);
        const ProcessResult result = Run(c.arguments, c.from.empty() ? root : c.from);
        EXPECT_EQ(c.output, result.output) << c.arguments;
        EXPECT_EQ(c.output.empty() ? 0u : 1u, result.exitCode) << c.arguments;
        ExpectStarted(c.record, c.arguments);
    }
    // Full paths keep their folders in the index, as drive-letter paths do,
    // each once, in its plain full form.
    EXPECT_EQ(tools + "\r\n" + tools + "\\sub\r\n" + root + "\\dr\r\n" + root + "\\100%\r\n",
              ReadFileBytes(appData + "\\Orvane\\velkindex.dat"));
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
