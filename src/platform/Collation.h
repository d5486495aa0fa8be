#pragma once

#include <string_view>

namespace platform {

// Text order for what the user reads: the collation of the user's locale, letter case ignored.
class Collation {
public:
    virtual ~Collation() = default;

    // Below 0 when a sorts before b, 0 when they sort alike (as texts that differ only in letter
    // case do), above 0 otherwise. A total order: every two texts get an answer.
    [[nodiscard]] virtual int Compare(std::wstring_view a, std::wstring_view b) noexcept = 0;
};

} // namespace platform
