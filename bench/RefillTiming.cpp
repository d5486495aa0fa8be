// The refill of the entry table against its floor through the real Windows functions: a small
// timing program of the same shape as the native benchmark (Google Benchmark is not built for
// Windows here). Each side runs repeatedly, the sides alternating, and the median counts. At 1,000
// values a third side: the refill of a table that has read every program once, after one value
// was changed to name a new program, against the cold refill of a fresh table. The cold refill
// also runs without its worker threads, to show what they bring.
#include "BenchPlatform.h"
#include "Median.h"
#include "RefillWorkload.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <utility>
#include <vector>

namespace tolvan::bench {
namespace {

constexpr int kChangedCount = 1000;
// The cold refill against the floor, which reads one program after the other, at 1,000 values:
// at most this, by reading the programs on several threads. The refill also has Windows check
// each program's signature, which the floor does not: it may take as long as the floor, no longer.
constexpr int kFloorTargetCount = 1000;
constexpr double kFloorTarget = 1.0;
constexpr double kChangedTarget = 0.25; // the refill after one change against the cold one
constexpr double kLinearTarget = 1.25;  // the cost per entry at 10,000 against that at 1,000

struct Sample {
    double refill = 0;     // microseconds per entry, a fresh table each time
    double sequential = 0; // the same on one thread
    double floor = 0;
    double changed = 0; // the kept table after one value changed; 0 when not measured
};

const char* Verdict(bool met) noexcept
{
    return met ? "within target" : "over target";
}

template <typename Work> double MicrosecondsPerEntry(Work&& work, int count)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double, std::micro> spent =
        std::chrono::steady_clock::now() - start;
    return spent.count() / count;
}

Sample Measure(BenchPlatform& platform, int count, int repetitions)
{
    RefillWorkload workload(platform.Services(), platform.HostPaths(), count);
    // One untimed refill reads every program once: it fills the file cache for every side, and
    // the table the workload keeps.
    (void)workload.Refill();
    // Small counts are repeated inside one measurement, so each lasts long enough to time.
    const int inner = std::max(1, 100 / count);
    const bool measureChanged = count == kChangedCount;
    std::vector<double> refill;
    std::vector<double> sequential;
    std::vector<double> floor;
    std::vector<double> changed;
    for (int round = 0; round < repetitions; ++round) {
        refill.push_back(MicrosecondsPerEntry(
            [&] {
                for (int k = 0; k < inner; ++k) {
                    (void)workload.ColdRefill();
                }
            },
            count * inner));
        sequential.push_back(MicrosecondsPerEntry(
            [&] {
                for (int k = 0; k < inner; ++k) {
                    (void)workload.ColdRefill(0);
                }
            },
            count * inner));
        if (measureChanged) {
            workload.ChangeOneValue();
            changed.push_back(MicrosecondsPerEntry([&] { (void)workload.Refill(); }, count));
        }
        floor.push_back(MicrosecondsPerEntry(
            [&] {
                for (int k = 0; k < inner; ++k) {
                    (void)workload.Floor();
                }
            },
            count * inner));
    }
    return {Median(refill), Median(sequential), Median(floor), Median(changed)};
}

} // namespace
} // namespace tolvan::bench

int main()
{
    using namespace tolvan::bench;
    try {
        const auto platform = MakeWin32BenchPlatform();
        std::printf("%s platform: cost per entry (microseconds, median of repeated runs)\n",
                    platform->Name());
        std::printf("(refill: on the worker threads; one thread: the same refill without them; "
                    "floor: a plain loop, one program after the other)\n");
        std::printf("%8s %6s %12s %12s %12s %8s %8s\n", "N", "runs", "refill", "one thread",
                    "floor", "ratio", "1 thr.");
        double at1000 = 0;
        double at10000 = 0;
        std::pair<double, double> changedLine; // per entry, and against the cold refill
        // One refill of 10,000 values takes half a minute under Wine: it runs once.
        for (const auto& [count, repetitions] : {std::pair{10, 7}, {1000, 5}, {10000, 1}}) {
            const Sample sample = Measure(*platform, count, repetitions);
            const double ratio = sample.refill / sample.floor;
            std::printf("%8d %6d %12.3f %12.3f %12.3f %8.3f %8.3f", count, repetitions,
                        sample.refill, sample.sequential, sample.floor, ratio,
                        sample.sequential / sample.floor);
            if (count == kFloorTargetCount) {
                std::printf("  (target <= %.2f: %s)", kFloorTarget, Verdict(ratio <= kFloorTarget));
            }
            std::printf("\n");
            std::fflush(stdout);
            (count == 1000 ? at1000 : at10000) = sample.refill;
            if (sample.changed > 0) {
                changedLine = {sample.changed, sample.changed / sample.refill};
            }
        }
        std::printf("refill after one value changed, at %d: %.3f per entry, %.3f of the cold "
                    "refill (target <= %.2f: %s)\n",
                    kChangedCount, changedLine.first, changedLine.second, kChangedTarget,
                    Verdict(changedLine.second <= kChangedTarget));
        std::printf("refill per entry at 10000 / at 1000: %.3f (target <= %.2f: %s)\n",
                    at10000 / at1000, kLinearTarget, Verdict(at10000 / at1000 <= kLinearTarget));
        return 0;
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "refill timing failed: %s\n", failure.what());
        return 1;
    }
}
