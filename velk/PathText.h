#pragma once

#include <string>
#include <vector>

using TextList = std::vector<std::string>;

// The non-empty pieces of text between delimiter bytes, in order.
TextList SplitText(const std::string& text, char delimiter);

// Exact membership: same length, same bytes, letter case counts.
bool ListContains(TextList::const_iterator first, TextList::const_iterator last, std::string value);

// a to z become A to Z; every other byte, the trail bytes of double-byte
// characters included, stays as it is.
std::string ToUpperAscii(std::string text);

// The working directory of a program named by a drive-letter path: the part
// before its last backslash (C:\Tools\tool.exe gives C:\Tools, C:\tool.exe
// gives C:), else before its last slash (C:/Tools/tool.exe gives C:/Tools),
// else the drive itself (C:tool.exe gives C:).
std::string DrivePathDirectory(const std::string& target);
