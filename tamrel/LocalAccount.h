#pragma once

#include <string>

// Whether this computer answers that it has no local account named
// userName. False for every other answer (the account exists, access is
// denied, the question cannot be asked): only a sure "no such account" is
// worth telling the user.
bool HasNoLocalAccount(const std::wstring& userName);
