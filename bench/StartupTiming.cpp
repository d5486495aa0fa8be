// Start-up of the tool against the platform's floor under the real Windows functions: from the
// creation of the process to its main window shown with the list filled, beside the same measure
// for a program that only opens an empty window. The two alternate, one start each in turn, and
// the median counts. With "memory" it reports the peak working sets of both instead.
#include "BenchPlatform.h"
#include "LaunchTiming.h"
#include "Median.h"
#include "RefillWorkload.h"

#include <cstdio>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

namespace tolvan::bench {
namespace {

constexpr double kStartupTargetRatio = 2.0;     // at 20 entries
constexpr double kPeakWorkingSetTargetMiB = 16; // at 1,000 entries
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
};

struct Series {
    std::vector<double> milliseconds;
    std::vector<double> peakMiB;
};

void Record(Series& series, const LaunchSample& sample)
{
    series.milliseconds.push_back(sample.milliseconds);
    series.peakMiB.push_back(static_cast<double>(sample.peakWorkingSet) / (1024.0 * 1024.0));
}

// Starts tool and floor in turn, once untimed to fill the file cache, then `runs` times each.
bool MeasurePair(const Programs& programs, int count, int runs, Series& tool, Series& floor)
{
    if (!TimeLaunch(programs.tool, count) || !TimeLaunch(programs.floor, -1)) {
        return false;
    }
    for (int run = 0; run < runs; ++run) {
        const auto toolSample = TimeLaunch(programs.tool, count);
        const auto floorSample = TimeLaunch(programs.floor, -1);
        if (!toolSample || !floorSample) {
            return false;
        }
        Record(tool, *toolSample);
        Record(floor, *floorSample);
    }
    return true;
}

const char* Verdict(bool within) noexcept
{
    return within ? "within target" : "over target";
}

int RunStartup(BenchPlatform& platform, const Programs& programs)
{
    std::printf("start-up: process creation to the main window shown with its list filled\n"
                "(milliseconds, median of the runs; floor: a program that only opens an empty "
                "window)\n");
    std::printf("%8s %6s %10s %10s %8s %12s %12s\n", "N", "runs", "tool", "floor", "ratio",
                "tool peak", "floor peak");
    for (const auto& [count, runs] : {std::pair{kStartupTargetCount, 11}, {1000, 5}}) {
        RefillWorkload workload(platform.Services(), platform.HostPaths(), count);
        Series tool;
        Series floor;
        if (!MeasurePair(programs, count, runs, tool, floor)) {
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
    std::printf("peak working set once the list is filled, N = %d (median of %d starts)\n",
                kMemoryCount, kRuns);
    std::printf("  tool:  %6.1f MiB   target <= %.0f MiB: %s\n", toolPeak, kPeakWorkingSetTargetMiB,
                Verdict(toolPeak <= kPeakWorkingSetTargetMiB));
    std::printf("  floor: %6.1f MiB   (empty window)\n", Median(floor.peakMiB));
    std::printf("  tool above floor: %.1f MiB\n", toolPeak - Median(floor.peakMiB));
    return 0;
}

} // namespace
} // namespace tolvan::bench

int main(int argc, char** argv)
{
    using namespace tolvan::bench;
    const std::string_view mode = argc > 1 ? argv[1] : "startup";
    if (mode != "startup" && mode != "memory") {
        std::fprintf(stderr, "usage: startup_bench [startup|memory]\n");
        return 2;
    }
    try {
        const auto platform = MakeWin32BenchPlatform();
        const Programs programs;
        return mode == "memory" ? RunMemory(*platform, programs) : RunStartup(*platform, programs);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "start-up timing failed: %s\n", failure.what());
        return 1;
    }
}
