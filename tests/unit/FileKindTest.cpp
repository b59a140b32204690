#include "FileKind.h"

#include "AnsiText.h"

#include <gtest/gtest.h>

namespace {

TEST(FileKind, WhatAFileIsByItsName)
{
    struct Case {
        std::wstring file;
        TargetKind kind;
    };
    const Case cases[] = {
        {L"run.bat", TargetKind::BatchFile},   {L"RUN.BAT", TargetKind::BatchFile},  {L"x.CmD", TargetKind::BatchFile},
        {L"run.bat.", TargetKind::BatchFile},  {L"run.bat. .", TargetKind::BatchFile}, {L"run.cmd  ", TargetKind::BatchFile},
        {L".bat", TargetKind::BatchFile},      {L"C:\\t\\ソ.bat", TargetKind::BatchFile},
        {L"\\\\?\\C:\\t\\run.bat", TargetKind::BatchFile},
        {L"go.lnk", TargetKind::Shortcut},     {L"GO.LNK.", TargetKind::Shortcut},   {L"C:\\t\\go.Pif", TargetKind::Shortcut},
        {L"run.exe", TargetKind::Program},     {L"run.bat.exe", TargetKind::Program}, {L"runbat", TargetKind::Program},
        {L"run.bats", TargetKind::Program},    {L"run.bat\\x", TargetKind::Program}, {L"bat", TargetKind::Program},
        {L"...", TargetKind::Program},         {L"cmd.exe", TargetKind::Program},    {L"run.ba t", TargetKind::Program},
        {L"go.pif.txt", TargetKind::Program},
    };
    for (const Case& c : cases) EXPECT_EQ(c.kind, KindByName(c.file)) << ToExactAnsi(c.file).value_or("?");
}

} // namespace
