#include "PathText.h"

#include "AnsiText.h"

PathList SplitText(const std::wstring& text, wchar_t delimiter)
{
    PathList pieces;
    for (std::size_t start = 0, end = 0; start <= text.size(); start = end + 1) {
        end = std::min(text.find(delimiter, start), text.size());
        if (end > start) pieces.push_back(text.substr(start, end - start));
    }
    return pieces;
}

std::wstring ToUpperAscii(std::wstring text)
{
    for (wchar_t& unit : text) {
        if (unit >= L'a' && unit <= L'z') unit = static_cast<wchar_t>(unit - L'a' + L'A');
    }
    return text;
}

namespace {

bool IsSeparator(wchar_t unit)
{
    return unit == L'\\' || unit == L'/';
}

} // namespace

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

PathPrefix ClassifyPath(const std::wstring& path)
{
    const auto separatorAt = [&path](std::size_t at) { return at < path.size() && IsSeparator(path[at]); };
    if (separatorAt(0) && separatorAt(1)) {
        const std::size_t server = path.find_first_of(L"\\/", 2);
        const std::size_t share = server == std::wstring::npos ? server : path.find_first_of(L"\\/", server + 1);
        const std::size_t length = std::min(share, path.size());
        if (path.compare(0, 4, L"\\\\?\\") == 0) return {PathForm::Literal, length};
        // \\X\ or //X/ (either separator in each place), or \\X alone.
        const bool marked = path.size() == 3 || separatorAt(3);
        if (marked && path[2] == L'?') return {PathForm::LongPath, length};
        if (marked && path[2] == L'.') return {PathForm::Device, length};
        return {PathForm::Unc, length};
    }
    // ソ:x is a name: ソ is no drive letter.
    if (path.size() >= 2 && path[1] == L':' && IsSingleAnsiByte(path[0])) {
        return {separatorAt(2) ? PathForm::DriveAbsolute : PathForm::DriveRelative, 2};
    }
    if (separatorAt(0)) return {PathForm::Rooted, 1};
    // Only .\ and ..\ are folders; .x.exe and ..x.exe are names like any other.
    const std::size_t dots = path.compare(0, 2, L"..") == 0 ? 2 : path.compare(0, 1, L".") == 0 ? 1 : 0;
    if (dots > 0 && separatorAt(dots)) return {PathForm::FromCurrent, dots + 1};
    return {PathForm::Relative, 0};
}

std::wstring WithoutLongPathPrefix(const std::wstring& path)
{
    if (ClassifyPath(path).form != PathForm::Literal) return path;
    const std::wstring rest = path.substr(4);
    if (rest.size() >= 4 && ToUpperAscii(rest.substr(0, 4)) == L"UNC\\") return L"\\\\" + rest.substr(4);
    if (rest.size() >= 2 && rest[1] == L':') return rest;
    return path;
}

StreamPlace FindStream(const std::wstring& full)
{
    const std::wstring plain = WithoutLongPathPrefix(full);
    const PathForm form = ClassifyPath(plain).form;
    const bool drive = form == PathForm::DriveRelative || form == PathForm::DriveAbsolute;
    const std::size_t colon = plain.find(L':', drive ? 2 : 0);
    if (colon == std::wstring::npos) return StreamPlace::None;
    const std::size_t name = FindLastSeparator(plain);
    return name == std::wstring::npos || colon > name ? StreamPlace::FileName : StreamPlace::Folder;
}

std::wstring PlainFolder(const std::wstring& opened)
{
    const std::wstring plain = WithoutLongPathPrefix(opened);
    const std::size_t end = FindLastSeparator(plain);
    return plain.substr(0, end == std::wstring::npos ? 2 : end);
}

std::wstring AsWorkingFolder(std::wstring folder)
{
    if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
    return folder;
}

std::wstring ToFullPath(const std::wstring& path, const std::wstring& folder)
{
    const PathPrefix prefix = ClassifyPath(path);
    if (prefix.form == PathForm::Rooted) {
        const PathPrefix root = ClassifyPath(folder);
        return folder.substr(0, root.form >= PathForm::Unc ? root.length : 2) + path;
    }
    if (prefix.form != PathForm::FromCurrent) return JoinPath(folder, path);
    if (prefix.length == 2) return JoinPath(folder, path.substr(1));
    return JoinPath(folder.substr(0, folder.rfind(L'\\')), path.substr(2));
}
