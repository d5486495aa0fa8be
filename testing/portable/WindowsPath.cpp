#include "WindowsPath.h"

namespace platform::portable {
namespace {

bool IsSeparator(wchar_t ch) noexcept
{
    return ch == L'\\' || ch == L'/';
}

bool IsLetter(wchar_t ch) noexcept
{
    return (ch >= L'A' && ch <= L'Z') || (ch >= L'a' && ch <= L'z');
}

bool IsForbiddenInName(wchar_t ch) noexcept
{
    return static_cast<unsigned long>(ch) < 0x20 || ch == L'<' || ch == L'>' || ch == L':' ||
           ch == L'"' || ch == L'|';
}

void StripTrailingDotsAndSpaces(std::wstring& name)
{
    while (!name.empty() && (name.back() == L'.' || name.back() == L' ')) {
        name.pop_back();
    }
}

} // namespace

bool HasWildcard(std::wstring_view component) noexcept
{
    return component.find_first_of(L"*?") != std::wstring_view::npos;
}

std::optional<WindowsPath> ParseWindowsPath(std::wstring_view text)
{
    if (text.size() < 3 || !IsLetter(text[0]) || text[1] != L':' || !IsSeparator(text[2])) {
        return std::nullopt;
    }
    WindowsPath path;
    path.drive = (text[0] >= L'a') ? static_cast<wchar_t>(text[0] - L'a' + L'A') : text[0];

    std::wstring_view rest = text.substr(3);
    path.endsWithSeparator = rest.empty() || IsSeparator(rest.back());
    while (!rest.empty()) {
        std::size_t end = 0;
        while (end < rest.size() && !IsSeparator(rest[end])) {
            ++end;
        }
        const std::wstring_view component = rest.substr(0, end);
        rest.remove_prefix(end < rest.size() ? end + 1 : end);
        for (const wchar_t ch : component) {
            if (IsForbiddenInName(ch)) {
                return std::nullopt;
            }
        }
        if (component.empty() || component == L".") {
            continue;
        }
        if (component == L"..") {
            if (!path.components.empty()) {
                path.components.pop_back();
            }
            continue;
        }
        path.components.emplace_back(component);
    }
    if (!path.endsWithSeparator && !path.components.empty()) {
        StripTrailingDotsAndSpaces(path.components.back());
        if (path.components.back().empty()) {
            path.components.pop_back();
            path.endsWithSeparator = true;
        }
    }
    return path;
}

} // namespace platform::portable
