#include "Win32Collation.h"

#include <windows.h>

#include <algorithm>
#include <climits>

namespace platform::win32 {
namespace {

// CompareStringEx takes counted texts; an empty view may carry no pointer at all.
const wchar_t* TextOf(std::wstring_view text) noexcept
{
    return text.empty() ? L"" : text.data();
}

int LengthOf(std::wstring_view text) noexcept
{
    return static_cast<int>(std::min<std::size_t>(text.size(), INT_MAX));
}

int CompareCodeUnits(std::wstring_view a, std::wstring_view b) noexcept
{
    const int order = a.compare(b);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

} // namespace

int Win32Collation::Compare(std::wstring_view a, std::wstring_view b) noexcept
{
    const int result = CompareStringEx(LOCALE_NAME_USER_DEFAULT, NORM_IGNORECASE, TextOf(a),
                                       LengthOf(a), TextOf(b), LengthOf(b), nullptr, nullptr, 0);
    switch (result) {
    case CSTR_LESS_THAN:
        return -1;
    case CSTR_EQUAL:
        return 0;
    case CSTR_GREATER_THAN:
        return 1;
    default:
        // Only invalid arguments make the call fail; an order is still owed to the caller.
        return CompareCodeUnits(a, b);
    }
}

} // namespace platform::win32
