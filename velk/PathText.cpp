#include "PathText.h"

#include "AnsiText.h"

#include <algorithm>

bool ListContains(TextList::const_iterator first, TextList::const_iterator last, std::string value)
{
    return std::find(first, last, value) != last;
}

std::string ToUpperAscii(std::string text)
{
    for (std::size_t i = 0; i < text.size(); i = NextCharacter(text, i)) {
        if (text[i] >= 'a' && text[i] <= 'z') text[i] = static_cast<char>(text[i] - 'a' + 'A');
    }
    return text;
}

std::string DrivePathDirectory(const std::string& target)
{
    std::size_t end = FindLastCharacter(target, '\\');
    if (end == std::string::npos) end = FindLastCharacter(target, '/');
    if (end == std::string::npos) end = 2;
    return target.substr(0, end);
}
