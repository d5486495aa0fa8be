#include "modSorting.h"

#include <algorithm>
#include <string>
#include <utility>

namespace modSorting {
namespace {

using modTolvan::RunEntry;

struct Split {
    std::int32_t j; // the left part is lo..j
    std::int32_t i; // the right part is i..hi
};

// One pass of Hoare's partition around the middle record's text. Both scans stop at texts equal
// to the pivot and swap them too, which keeps runs of equal texts from unbalancing the parts;
// the bounds on the scans keep them inside the range whatever the collation answers.
Split Partition(std::vector<RunEntry>& entries, std::int32_t lo, std::int32_t hi,
                platform::Collation& collation)
{
    std::int32_t i = lo;
    std::int32_t j = hi;
    const std::wstring pivot =
        entries[static_cast<std::size_t>(lo) + static_cast<std::size_t>(hi - lo) / 2].DisplayText;
    do {
        while (collation.Compare(entries[static_cast<std::size_t>(i)].DisplayText, pivot) < 0 &&
               i < hi) {
            ++i;
        }
        while (collation.Compare(pivot, entries[static_cast<std::size_t>(j)].DisplayText) < 0 &&
               j > lo) {
            --j;
        }
        if (i > j) {
            break;
        }
        std::swap(entries[static_cast<std::size_t>(i)], entries[static_cast<std::size_t>(j)]);
        ++i;
        --j;
    } while (i <= j);
    return {j, i};
}

void SortRange(std::vector<RunEntry>& entries, std::int32_t lo, std::int32_t hi,
               platform::Collation& collation)
{
    // The two parts are disjoint, so sorting them in either order gives the same table. Only the
    // smaller part is sorted by a nested call and the larger one by the loop: the nesting stays
    // below log2 of the record count, whatever order the texts come in (any program can write
    // Run values, so the order may be built to be the worst one).
    for (;;) {
        const Split split = Partition(entries, lo, hi, collation);
        const bool sortLeft = lo < split.j;
        const bool sortRight = split.i < hi;
        if (sortLeft && sortRight) {
            if (split.j - lo < hi - split.i) {
                SortRange(entries, lo, split.j, collation);
                lo = split.i;
            } else {
                SortRange(entries, split.i, hi, collation);
                hi = split.j;
            }
        } else if (sortLeft) {
            hi = split.j;
        } else if (sortRight) {
            lo = split.i;
        } else {
            return;
        }
    }
}

} // namespace

void SortEntries(std::vector<RunEntry>& entries, std::int32_t lo, std::int32_t hi,
                 platform::Collation& collation)
{
    if (entries.empty()) {
        return;
    }
    const auto last = static_cast<std::int32_t>(entries.size() - 1);
    if (hi == 0) {
        lo = 0;
        hi = last;
    }
    lo = std::max(lo, 0);
    hi = std::min(hi, last);
    if (lo > hi) {
        return;
    }
    SortRange(entries, lo, hi, collation);
}

} // namespace modSorting
