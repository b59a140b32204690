#include "Invocation.h"

#include <gtest/gtest.h>

namespace {

// velk's command line, read once: the words exactly, wait before any of them.
TEST(Invocation, ReadsTheCommandLineOnce)
{
    struct Case {
        std::wstring line;
        bool waits;
        Request request;
        std::wstring target;
        std::wstring rest;
    };
    const Case cases[] = {
        {L"velk.exe", false, Request::Help, L"", L""},
        {L"", false, Request::Help, L"", L""},
        {L"velk.exe help more", false, Request::Help, L"", L""},
        {L"velk.exe /? more", false, Request::Help, L"", L""},
        {L"velk.exe wait /?", true, Request::Start, L"/?", L""},
        {L"velk.exe wait", true, Request::Help, L"", L""},
        {L"velk.exe su /k dir", false, Request::CommandPrompt, L"", L""},
        {L"velk.exe wait deleteindex extra", true, Request::DeleteIndex, L"", L""},
        {L"velk.exe HELP", false, Request::Start, L"HELP", L""},
        {L"velk.exe wait WAIT", true, Request::Start, L"WAIT", L""},
        {L"velk.exe Su", false, Request::Start, L"Su", L""},
        {L"velk.exe Deleteindex", false, Request::Start, L"Deleteindex", L""},
        {L"velk.exe Wait x", false, Request::Start, L"Wait", L"x"},
        {L"velk.exe  \"C:\\Program Files\"\\x.exe   a  \"b c\" ", false, Request::Start, L"C:\\Program Files\\x.exe", L"a  \"b c\" "},
        {L"velk.exe wait x", true, Request::Start, L"x", L""},
    };
    for (const Case& c : cases) {
        const Invocation invocation = ParseInvocation(c.line);
        EXPECT_EQ(c.waits, invocation.waits) << c.line.size();
        EXPECT_EQ(c.request, invocation.request) << c.line.size();
        EXPECT_EQ(c.target, invocation.target) << c.line.size();
        EXPECT_EQ(c.rest, invocation.rest) << c.line.size();
    }
}

} // namespace
