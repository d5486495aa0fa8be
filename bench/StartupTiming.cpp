// Start-up of the tool against the platform's floor under the real Windows functions: from the
// creation of the process to its main window shown with the list filled, beside the same measure
// for a program that only opens an empty window. The two alternate, one start each in turn, and
// the median counts. Between them runs the tool's measuring build, whose start-up trace shows
// where the time goes, beside the floor's own trace. With "memory" it reports the peak working
// sets of both instead; with "responsiveness", how soon the tool shows and how long it keeps a
// message waiting with 20,000 entries (ResponsivenessTiming.cpp).
#include "BenchPlatform.h"
#include "LaunchTiming.h"
#include "Median.h"
#include "RefillWorkload.h"
#include "ResponsivenessTiming.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tolvan::bench {
namespace {

constexpr double kStartupTargetRatio = 1.5; // at 20 entries
constexpr double kAboveFloorTargetMiB = 6;  // peak working set above the floor's, at 1,000
constexpr int kStartupTargetCount = 20;
constexpr int kMemoryCount = 1000;

// The programs as the build placed them. A build on Linux names them by host paths, which Wine
// shows through drive Z:, the host's root.
std::wstring WindowsPathOf(std::wstring_view buildPath)
{
    std::wstring path(buildPath);
    for (wchar_t& ch : path) {
        if (ch == L'/') {
            ch = L'\\';
        }
    }
    return path.starts_with(L'\\') ? L"Z:" + path : path;
}

struct Programs {
    std::wstring tool = WindowsPathOf(L"" TOLVAN_TOOL_PATH);
    std::wstring floor = WindowsPathOf(L"" TOLVAN_FLOOR_PATH);
    std::wstring traced = WindowsPathOf(L"" TOLVAN_TRACED_PATH);
};

// Every run's time of each trace point, and the order the points came in.
struct TraceSeries {
    std::map<std::string, std::vector<double>> times;
    std::map<std::string, double> firstSeen; // the point's time in the first run that had it

    void Add(const std::vector<TracePoint>& trace)
    {
        for (const TracePoint& mark : trace) {
            times[mark.point].push_back(mark.milliseconds);
            firstSeen.try_emplace(mark.point, mark.milliseconds);
        }
    }
};

struct Series {
    std::vector<double> milliseconds;
    std::vector<double> peakMiB;
    TraceSeries trace;
};

void Record(Series& series, const LaunchSample& sample)
{
    series.milliseconds.push_back(sample.milliseconds);
    series.peakMiB.push_back(static_cast<double>(sample.peakWorkingSet) / (1024.0 * 1024.0));
    series.trace.Add(sample.trace);
}

// Starts tool and floor in turn, once untimed to fill the file cache, then `runs` times each;
// with `traced`, the tool's measuring build between them for its trace.
bool MeasurePair(const Programs& programs, int count, int runs, Series& tool, Series& floor,
                 TraceSeries* traced = nullptr)
{
    if (!TimeLaunch(programs.tool, count) || !TimeLaunch(programs.floor, -1)) {
        return false;
    }
    for (int run = 0; run < runs; ++run) {
        const auto toolSample = TimeLaunch(programs.tool, count);
        if (traced != nullptr) {
            const auto tracedSample = TimeLaunch(programs.traced, count);
            if (!tracedSample) {
                return false;
            }
            traced->Add(tracedSample->trace);
        }
        const auto floorSample = TimeLaunch(programs.floor, -1);
        if (!toolSample || !floorSample) {
            return false;
        }
        Record(tool, *toolSample);
        Record(floor, *floorSample);
    }
    return true;
}

// The two traces side by side, a line for each point in the order they came, as medians.
void PrintTraces(int count, int runs, const TraceSeries& tool, const TraceSeries& floor)
{
    std::vector<std::pair<double, std::string>> points;
    for (const auto& [point, at] : tool.firstSeen) {
        points.emplace_back(at, point);
    }
    for (const auto& [point, at] : floor.firstSeen) {
        if (!tool.times.contains(point)) {
            points.emplace_back(at, point);
        }
    }
    std::sort(points.begin(), points.end());
    std::printf("  trace at N = %d (milliseconds from process creation, median of %d starts)\n",
                count, runs);
    std::printf("  %-34s %10s %10s\n", "point", "tool", "floor");
    const auto column = [](const TraceSeries& series, const std::string& point) {
        const auto found = series.times.find(point);
        return found == series.times.end() ? std::string("-")
                                           : std::to_string(Median(found->second)).substr(0, 6);
    };
    for (const auto& [at, point] : points) {
        std::printf("  %-34s %10s %10s\n", point.c_str(), column(tool, point).c_str(),
                    column(floor, point).c_str());
    }
}

// The median time between two points of a trace; a negative figure when either is missing.
double Between(const TraceSeries& series, const std::string& from, const std::string& to)
{
    const auto first = series.times.find(from);
    const auto last = series.times.find(to);
    if (first == series.times.end() || last == series.times.end()) {
        return -1;
    }
    return Median(last->second) - Median(first->second);
}

// For a start over its target: the stretches of the trace where the tool spends most beside the
// floor's corresponding ones.
void PrintWhereItGoes(const TraceSeries& tool, const TraceSeries& floor)
{
    std::printf("  over target; where the tool spends it (ms, tool against floor):\n");
    std::printf("    to the window class (libraries loaded)  %8.1f %8.1f\n",
                Between(tool, "runtime started", "window class registered"),
                Between(floor, "runtime started", "window class registered"));
    std::printf("    window and controls made                %8.1f %8.1f\n",
                Between(tool, "workers started", "controls created"),
                Between(floor, "window class registered", "window created"));
    std::printf("    first paint to waiting for input        %8.1f %8.1f\n",
                Between(tool, "first paint", "waiting for input"),
                Between(floor, "first paint", "waiting for input"));
    std::printf("    list waiting for the version texts      %8.1f\n",
                Between(tool, "controls created", "version texts read"));
}

const char* Verdict(bool within) noexcept
{
    return within ? "within target" : "over target";
}

int RunStartup(BenchPlatform& platform, const Programs& programs)
{
    std::printf("start-up: process creation to the main window shown with its list filled and "
                "waiting for input\n"
                "(milliseconds, median of the runs; floor: a program that only opens an empty "
                "window)\n");
    std::printf("%8s %6s %10s %10s %8s %12s %12s\n", "N", "runs", "tool", "floor", "ratio",
                "tool peak", "floor peak");
    for (const auto& [count, runs] : {std::pair{kStartupTargetCount, 11}, {1000, 5}}) {
        RefillWorkload workload(platform.Services(), platform.HostPaths(), count);
        Series tool;
        Series floor;
        TraceSeries traced;
        if (!MeasurePair(programs, count, runs, tool, floor, &traced)) {
            std::fprintf(stderr, "a program did not show its window (N = %d)\n", count);
            return 1;
        }
        const double toolMs = Median(tool.milliseconds);
        const double floorMs = Median(floor.milliseconds);
        const double ratio = toolMs / floorMs;
        std::printf("%8d %6d %10.1f %10.1f %8.2f %9.1f MiB %9.1f MiB", count, runs, toolMs, floorMs,
                    ratio, Median(tool.peakMiB), Median(floor.peakMiB));
        if (count == kStartupTargetCount) {
            std::printf("   target ratio <= %.1f: %s", kStartupTargetRatio,
                        Verdict(ratio <= kStartupTargetRatio));
        }
        std::printf("\n");
        PrintTraces(count, runs, traced, floor.trace);
        if (count == kStartupTargetCount && ratio > kStartupTargetRatio) {
            PrintWhereItGoes(traced, floor.trace);
        }
        std::fflush(stdout);
    }
    return 0;
}

int RunMemory(BenchPlatform& platform, const Programs& programs)
{
    RefillWorkload workload(platform.Services(), platform.HostPaths(), kMemoryCount);
    Series tool;
    Series floor;
    constexpr int kRuns = 3;
    if (!MeasurePair(programs, kMemoryCount, kRuns, tool, floor)) {
        std::fprintf(stderr, "a program did not show its window\n");
        return 1;
    }
    const double toolPeak = Median(tool.peakMiB);
    const double floorPeak = Median(floor.peakMiB);
    std::printf("peak working set once the list is filled, N = %d (median of %d starts)\n",
                kMemoryCount, kRuns);
    std::printf("  tool:  %6.1f MiB\n", toolPeak);
    std::printf("  floor: %6.1f MiB   (empty window)\n", floorPeak);
    std::printf("  tool above floor: %.1f MiB   target <= %.0f MiB: %s\n", toolPeak - floorPeak,
                kAboveFloorTargetMiB, Verdict(toolPeak - floorPeak <= kAboveFloorTargetMiB));
    return 0;
}

} // namespace
} // namespace tolvan::bench

int main(int argc, char** argv)
{
    using namespace tolvan::bench;
    const std::string_view mode = argc > 1 ? argv[1] : "startup";
    if (mode != "startup" && mode != "memory" && mode != "responsiveness") {
        std::fprintf(stderr, "usage: startup_bench [startup|memory|responsiveness]\n");
        return 2;
    }
    try {
        const auto platform = MakeWin32BenchPlatform();
        const Programs programs;
        if (mode == "responsiveness") {
            return RunResponsiveness(*platform, programs.tool);
        }
        return mode == "memory" ? RunMemory(*platform, programs) : RunStartup(*platform, programs);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "start-up timing failed: %s\n", failure.what());
        return 1;
    }
}
