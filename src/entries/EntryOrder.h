#pragma once

#include "StartupEntry.h"
#include "platform/Collation.h"

#include <vector>

namespace entries {

// Puts the entries in the order of their display texts under the collation (letter case
// ignored), moving whole entries. Entries whose texts compare equal end up side by side, in no
// promised order.
void SortByDisplayText(std::vector<StartupEntry>& entries, platform::Collation& collation);

} // namespace entries
