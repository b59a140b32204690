#pragma once

#include <windows.h>

// Libraries that Windows loads by name for the program (the shell does so
// while it starts a program) come from System32 only, never from the
// program's own folder: a DLL left beside velk.exe in Downloads is not
// loaded. Called first thing in main.
inline void RestrictLibrarySearch()
{
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}
