#include "TextTrim.h"

namespace entries {

std::wstring_view TrimSpaces(std::wstring_view text) noexcept
{
    const std::size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(L' ');
    return text.substr(first, last - first + 1);
}

} // namespace entries
