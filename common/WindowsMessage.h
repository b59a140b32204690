#pragma once

#include "StandardOutput.h"

#include <windows.h>

#include <cstddef>
#include <string>

// "エラーコード : ", the code in unsigned decimal, a full-width space and the
// system text without the line break that ends it, its %1 filled with insert
// and its other inserts (%2 ... %99, each with its !format! if any) empty;
// length counts UTF-16 units.
OutputText ComposeErrorMessage(DWORD errorCode, const wchar_t* systemText, std::size_t length,
                               const std::wstring& insert = std::wstring());

// The system's text for a code, composed so, in the user's language and as
// Unicode, so that it reads right whatever the system's code page. Where the
// system has none, found is false and the text names the lookup's error.
OutputText SystemMessage(DWORD errorCode, const std::wstring& insert, bool& found);
