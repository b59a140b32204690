#include "RvWinException.h"

#include "WindowsMessage.h"

#include <new>

RvWinException RvWinException::FromCode(DWORD errorCode, const std::wstring& insert)
{
    bool found = false;
    const OutputText text = SystemMessage(errorCode, insert, found);
    return {text, errorCode, !found};
}

RvWinException RvWinException::FromStandard(const std::exception& error)
{
    const bool memory = dynamic_cast<const std::bad_alloc*>(&error) != nullptr;
    return WithUsage(error.what(), memory ? ERROR_NOT_ENOUGH_MEMORY : 1);
}
