#include "PathText.h"

#include "AnsiText.h"

std::wstring ToUpperAscii(std::wstring text)
{
    for (wchar_t& unit : text) {
        if (unit >= L'a' && unit <= L'z') unit = static_cast<wchar_t>(unit - L'a' + L'A');
    }
    return text;
}

bool IsSeparator(wchar_t unit)
{
    return unit == L'\\' || unit == L'/';
}

std::size_t FindLastSeparator(const std::wstring& path)
{
    return path.find_last_of(L"\\/");
}

std::wstring WithBackslashes(std::wstring path)
{
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name)
{
    const bool folderEnds = !folder.empty() && IsSeparator(folder.back());
    const bool nameBegins = !name.empty() && IsSeparator(name[0]);
    if (folderEnds && nameBegins) return folder + name.substr(1);
    if (folder.empty() || folderEnds || nameBegins) return folder + name;
    return folder + L'\\' + name;
}

bool IsTooShortForAName(const std::wstring& target)
{
    return target.empty() || (target.size() == 1 && IsSingleAnsiByte(target[0]));
}

std::wstring DrivePathDirectory(const std::wstring& target)
{
    std::size_t end = FindLastSeparator(target);
    if (end == std::wstring::npos) end = 2;
    return target.substr(0, end);
}

std::wstring PlainFolder(const std::wstring& opened)
{
    return DrivePathDirectory(WithoutLongPathPrefix(opened));
}

std::wstring AsWorkingFolder(std::wstring folder)
{
    if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
    return folder;
}

std::size_t LeadingFolderLength(const std::wstring& target)
{
    if (!target.empty() && IsSeparator(target[0]) && (target.size() < 2 || !IsSeparator(target[1]))) return 1;
    const std::size_t dots = target.compare(0, 2, L"..") == 0 ? 2 : target.compare(0, 1, L".") == 0 ? 1 : 0;
    return dots > 0 && target.size() > dots && IsSeparator(target[dots]) ? dots + 1 : 0;
}

bool NamesCurrentDirectory(const std::wstring& target)
{
    return LeadingFolderLength(target) > 0;
}

bool HasDriveLetter(const std::wstring& path)
{
    // ソ:x is a name: ソ is no drive letter.
    return path.size() >= 2 && path[1] == L':' && IsSingleAnsiByte(path[0]);
}

bool IsAbsoluteTarget(const std::wstring& target)
{
    return HasDriveLetter(target) || (target.size() >= 2 && IsSeparator(target[0]) && IsSeparator(target[1]));
}

bool IsWrittenInFull(const std::wstring& target)
{
    if (HasDriveLetter(target)) return target.size() >= 3 && IsSeparator(target[2]);
    return target.size() >= 2 && IsSeparator(target[0]) && IsSeparator(target[1]);
}

namespace {

// \\X\ or //X/ (either separator in each place), or \\X alone.
bool HasPrefixWith(const std::wstring& path, wchar_t mark)
{
    return path.size() >= 3 && IsSeparator(path[0]) && IsSeparator(path[1]) && path[2] == mark &&
           (path.size() == 3 || IsSeparator(path[3]));
}

} // namespace

bool NamesDeviceNamespace(const std::wstring& path)
{
    return HasPrefixWith(path, L'.');
}

bool HasLongPathSpelling(const std::wstring& path)
{
    return HasPrefixWith(path, L'?');
}

bool HasLiteralPrefix(const std::wstring& path)
{
    return path.compare(0, 4, L"\\\\?\\") == 0;
}

std::wstring WithoutLongPathPrefix(const std::wstring& path)
{
    if (!HasLiteralPrefix(path)) return path;
    const std::wstring rest = path.substr(4);
    if (rest.size() >= 4 && ToUpperAscii(rest.substr(0, 4)) == L"UNC\\") return L"\\\\" + rest.substr(4);
    if (rest.size() >= 2 && rest[1] == L':') return rest;
    return path;
}

StreamPlace FindStream(const std::wstring& full)
{
    const std::wstring plain = WithoutLongPathPrefix(full);
    const std::size_t colon = plain.find(L':', HasDriveLetter(plain) ? 2 : 0);
    if (colon == std::wstring::npos) return StreamPlace::None;
    const std::size_t name = FindLastSeparator(plain);
    return name == std::wstring::npos || colon > name ? StreamPlace::FileName : StreamPlace::Folder;
}

std::wstring DirectoryRoot(const std::wstring& directory)
{
    if (directory.compare(0, 2, L"\\\\") != 0) return directory.substr(0, 2);
    // \\server\share: up to the backslash that ends the share's name.
    const std::size_t server = directory.find(L'\\', 2);
    const std::size_t share = server == std::wstring::npos ? server : directory.find(L'\\', server + 1);
    return share == std::wstring::npos ? directory : directory.substr(0, share);
}

bool IsFullPath(const std::wstring& entry)
{
    return entry.compare(0, 2, L"\\\\") == 0 || (HasDriveLetter(entry) && entry.size() >= 3 && entry[2] == L'\\');
}

std::wstring ToFullPath(const std::wstring& path, const std::wstring& folder)
{
    // Only .\ and ..\ are folders; .x.exe and ..x.exe are names like any
    // other. / reads as \ throughout.
    switch (LeadingFolderLength(path)) {
    case 1: return DirectoryRoot(folder) + path; // \Tools\tool.exe: below the root of the folder's drive or share
    case 2: return JoinPath(folder, path.substr(1));
    case 3: return JoinPath(folder.substr(0, folder.rfind(L'\\')), path.substr(2));
    default: return JoinPath(folder, path);
    }
}
