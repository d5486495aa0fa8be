#pragma once

#include "platform/Collation.h"

namespace platform::portable {

// Text order with letter case folded away (ASCII, Latin-1, Latin Extended-A, basic Greek and
// Cyrillic), then by code point. It agrees with the Windows collation on letter case; accented
// letters sort after the unaccented alphabet rather than beside their base letter.
class CaseFoldCollation final : public Collation {
public:
    int Compare(std::wstring_view a, std::wstring_view b) noexcept override;
};

} // namespace platform::portable
