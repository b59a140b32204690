#include "PathVariable.h"

#include "EnvironmentVariable.h"

PathEntries ReadPathEntries()
{
    PathEntries path;
    try {
        path.entries = SplitText(EnvironmentVariable(L"PATH").Value(), L';');
    } catch (const RvWinException& failure) {
        path.failure = failure;
    }
    return path;
}
