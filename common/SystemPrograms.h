#pragma once

// Windows' system folder and the programs of it that velk and tamrel start,
// each spelled as it stands, also where Windows lives elsewhere.
inline const wchar_t kSystemFolder[] = L"C:\\Windows\\System32";
inline const wchar_t kCommandPrompt[] = L"C:\\Windows\\System32\\cmd.exe";
inline const wchar_t kAccountTool[] = L"C:\\Windows\\System32\\net.exe";
