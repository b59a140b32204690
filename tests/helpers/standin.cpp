// Stands in for a test program (copied as unit_tests.exe or velk_e2e.exe) to
// show that tests\windows\run.cmd fails on each way a run can go wrong. The
// variable STAND_IN_<its own name> says how this run goes: pass (also when
// unset), fail, crash (ends as an access violation does, writing no XML),
// skip, or none (runs no test). Its one test stands for any that run.cmd
// asks for.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::string How()
{
    char path[MAX_PATH];
    std::string name(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    name = name.substr(name.find_last_of('\\') + 1);
    name = name.substr(0, name.rfind('.'));
    char value[32];
    const DWORD length = GetEnvironmentVariableA(("STAND_IN_" + name).c_str(), value, sizeof value);
    return length == 0 || length >= sizeof value ? "pass" : std::string(value, length);
}

TEST(StandIn, GoesAsAsked)
{
    const std::string how = How();
    if (how == "fail") FAIL() << "asked to fail";
    if (how == "crash") TerminateProcess(GetCurrentProcess(), 0xC0000005);
    if (how == "skip") GTEST_SKIP() << "asked to skip";
}

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Its one test runs whatever filter run.cmd gives, unless asked for none.
    GTEST_FLAG_SET(filter, How() == "none" ? "-*" : "*");
    return RUN_ALL_TESTS();
}
