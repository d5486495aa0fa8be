#include "CaseFoldCollation.h"

#include "CaseFold.h"

#include <algorithm>
#include <cstdint>

namespace platform::portable {

int CaseFoldCollation::Compare(std::wstring_view a, std::wstring_view b) noexcept
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto left = static_cast<std::uint32_t>(ToUpperInvariant(a[i]));
        const auto right = static_cast<std::uint32_t>(ToUpperInvariant(b[i]));
        if (left != right) {
            return left < right ? -1 : 1;
        }
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}

} // namespace platform::portable
