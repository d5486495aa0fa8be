#include "EntryOrder.h"

#include <cstddef>
#include <string>
#include <utility>

namespace entries {
namespace {

// Positions inside the table; signed, because a scan may step one below the range's start.
using Position = std::ptrdiff_t;

struct Split {
    Position leftEnd;    // the left part is lo..leftEnd
    Position rightStart; // the right part is rightStart..hi
};

// One pass of Hoare's partition around the middle entry's text. Both scans stop at texts equal to
// the pivot and swap them too, which keeps runs of equal texts from unbalancing the parts; the
// bounds on the scans keep them inside the range whatever the collation answers.
Split Partition(std::vector<StartupEntry>& entries, Position lo, Position hi,
                platform::Collation& collation)
{
    const auto text = [&](Position at) -> const std::wstring& {
        return entries[static_cast<std::size_t>(at)].displayText;
    };
    Position i = lo;
    Position j = hi;
    // A copy: the entries move while it is compared against.
    // NOLINTNEXTLINE(performance-unnecessary-copy-initialization)
    const std::wstring pivot = text(lo + (hi - lo) / 2);
    do {
        while (collation.Compare(text(i), pivot) < 0 && i < hi) {
            ++i;
        }
        while (collation.Compare(pivot, text(j)) < 0 && j > lo) {
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

void SortRange(std::vector<StartupEntry>& entries, Position lo, Position hi,
               platform::Collation& collation)
{
    // The two parts are disjoint, so sorting them in either order gives the same table. Only the
    // smaller part is sorted by a nested call and the larger one by the loop: the nesting stays
    // below log2 of the entry count, whatever order the texts come in (any program can write Run
    // values, so the order may be built to be the worst one).
    for (;;) {
        const Split split = Partition(entries, lo, hi, collation);
        const bool sortLeft = lo < split.leftEnd;
        const bool sortRight = split.rightStart < hi;
        if (sortLeft && sortRight) {
            if (split.leftEnd - lo < hi - split.rightStart) {
                SortRange(entries, lo, split.leftEnd, collation);
                lo = split.rightStart;
            } else {
                SortRange(entries, split.rightStart, hi, collation);
                hi = split.leftEnd;
            }
        } else if (sortLeft) {
            hi = split.leftEnd;
        } else if (sortRight) {
            lo = split.rightStart;
        } else {
            return;
        }
    }
}

} // namespace

void SortByDisplayText(std::vector<StartupEntry>& entries, platform::Collation& collation)
{
    if (entries.size() > 1) {
        SortRange(entries, 0, static_cast<Position>(entries.size() - 1), collation);
    }
}

} // namespace entries
