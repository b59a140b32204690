#include "PathVariable.h"

#include "EnvironmentVariable.h"

TextList PathDirectories()
{
    return SplitText(EnvironmentVariable("PATH").Value(), ';');
}

TextList GetUpperPathDirectories()
{
    TextList directories = PathDirectories();
    for (std::string& entry : directories) entry = ToUpperAscii(entry);
    return directories;
}
