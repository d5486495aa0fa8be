#pragma once

#include <algorithm>
#include <vector>

namespace tolvan::bench {

// The middle of repeated measurements: one slow run on a busy machine does not move it.
inline double Median(std::vector<double> values)
{
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

} // namespace tolvan::bench
