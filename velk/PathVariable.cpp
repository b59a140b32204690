#include "PathVariable.h"

#include "AnsiText.h"
#include "CurrentDirectory.h"
#include "EnvironmentVariable.h"

TextList PathDirectories()
{
    // Split before it is converted, so that one entry without an exact form
    // costs only that entry: its look-alike would name a folder that is not
    // on the PATH.
    TextList directories;
    for (const std::wstring& entry : SplitText(EnvironmentVariable("PATH").WideValue(), L';')) {
        if (std::optional<std::string> exact = ToExactAnsi(entry)) directories.push_back(std::move(*exact));
    }
    return directories;
}

TextList PathSearchDirectories()
{
    TextList directories;
    for (std::string& entry : PathDirectories()) {
        if (IsFullPath(entry)) {
            directories.push_back(std::move(entry));
        } else if (std::optional<std::string> full = FullPathName(entry)) {
            directories.push_back(std::move(*full));
        }
    }
    return directories;
}

TextList GetUpperPathDirectories()
{
    TextList directories = PathDirectories();
    for (std::string& entry : directories) entry = ToUpperAscii(entry);
    return directories;
}
