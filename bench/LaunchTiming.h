#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tolvan::bench {

// A point the program passed on its way up, as its start-up trace recorded it.
struct TracePoint {
    std::string point;
    double milliseconds = 0; // from process creation
};

// What one start of a program showed.
struct LaunchSample {
    double milliseconds = 0;        // from process creation to the window being ready
    std::size_t peakWorkingSet = 0; // bytes, read once the program is idle with its window up
    // The program's start-up trace, when it was built to record one.
    std::vector<TracePoint> trace;
};

// Starts the program, watches until it has a visible top-level window that answers a message
// (its thread is through its start-up and waits for input) and, when listCount is not negative,
// until the list box of that window holds at least listCount items; then reads
// its peak working set and ends it again. Nothing when the program ends early or the window
// does not come within the time allowed.
std::optional<LaunchSample> TimeLaunch(const std::wstring& program, int listCount);

} // namespace tolvan::bench
