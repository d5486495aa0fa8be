#pragma once

#include "RunEntry.h"
#include "platform/Collation.h"

#include <cstdint>
#include <vector>

// The order of the entry list.
namespace modSorting {

// Sorts records lo to hi (inclusive) by DisplayText through the collation, moving whole records;
// hi = 0 sorts the whole table. Records whose texts compare equal end up side by side, in no
// promised order. Indices outside the table are limited to it.
void SortEntries(std::vector<modTolvan::RunEntry>& entries, std::int32_t lo, std::int32_t hi,
                 platform::Collation& collation);

} // namespace modSorting
