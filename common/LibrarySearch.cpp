#include "LibrarySearch.h"

#include <windows.h>

void RestrictLibrarySearch()
{
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}
