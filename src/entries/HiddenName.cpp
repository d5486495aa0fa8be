#include "HiddenName.h"

#include <algorithm>

namespace entries {

bool IsHiddenName(std::wstring_view name) noexcept
{
    return name.find(L'\0') != std::wstring_view::npos;
}

std::wstring ShownName(std::wstring_view name)
{
    std::wstring shown(name);
    std::ranges::replace(shown, L'\0', kNulMark);
    return shown;
}

} // namespace entries
