#pragma once

#include <optional>
#include <string>

// What the file that Windows opens for a target is, which decides every rule
// that follows: whether anything starts, and how its arguments are passed.
enum class TargetKind {
    Nothing,   // no file there (or a folder)
    Program,   // a file that the shell starts as it is
    BatchFile, // .bat, .cmd: run by cmd.exe, which reads the arguments as commands
    Shortcut,  // .lnk, .pif: the shell hands the arguments on to what it leads to
    Device,    // NUL, CON, COM1, ...: never a program
    Stream,    // a name with a stream (file:stream): never a program
};

// One resolution of a target; every rule reads this and not the typed text.
struct TargetRecord {
    TargetKind kind = TargetKind::Nothing;
    std::wstring opened; // OpenedFile's
    // The file as it is handed on (to the shell, or for a batch file to
    // cmd.exe), always a full path: as typed when it was typed in full, else
    // as found (C:dr\x.exe as C:\t\dr\x.exe); for a batch file, without a
    // \\?\ that cmd.exe cannot run.
    std::wstring shellFile;
    std::wstring directory; // the working folder, C:\ for a drive's root
    std::optional<std::wstring> indexLine;

    // Whether cmd.exe may read the arguments.
    bool GetsBatchRules() const { return kind == TargetKind::BatchFile || kind == TargetKind::Shortcut; }
    bool IsStartable() const { return kind == TargetKind::Program || GetsBatchRules(); }
};
