// The refill of the entry table against its floor through the real Windows functions: a small
// timing program of the same shape as the native benchmark (Google Benchmark is not built for
// Windows here). Each side runs repeatedly, the two alternating, and the median counts.
#include "BenchPlatform.h"
#include "Median.h"
#include "RefillWorkload.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <vector>

namespace tolvan::bench {
namespace {

struct Sample {
    double refill = 0; // microseconds per entry
    double floor = 0;
};

template <typename Work> double MicrosecondsPerEntry(Work&& work, int count)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double, std::micro> spent =
        std::chrono::steady_clock::now() - start;
    return spent.count() / count;
}

Sample Measure(BenchPlatform& platform, int count, int repetitions, bool warmUp)
{
    RefillWorkload workload(platform.Services(), platform.HostPaths(), count);
    // The first read of each program fills the file cache for both sides; every count names the
    // same few programs, so once is enough.
    if (warmUp) {
        (void)workload.Refill();
    }
    // Small counts are repeated inside one measurement, so each lasts long enough to time.
    const int inner = std::max(1, 100 / count);
    std::vector<double> refill;
    std::vector<double> floor;
    for (int round = 0; round < repetitions; ++round) {
        refill.push_back(MicrosecondsPerEntry(
            [&] {
                for (int k = 0; k < inner; ++k) {
                    (void)workload.Refill();
                }
            },
            count * inner));
        floor.push_back(MicrosecondsPerEntry(
            [&] {
                for (int k = 0; k < inner; ++k) {
                    (void)workload.Floor();
                }
            },
            count * inner));
    }
    return {Median(refill), Median(floor)};
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
        std::printf("%8s %6s %12s %12s %8s\n", "N", "runs", "refill", "floor", "ratio");
        double at1000 = 0;
        double at10000 = 0;
        bool warmUp = true;
        // One refill of 10,000 values takes half a minute under Wine: it runs once.
        for (const auto& [count, repetitions] : {std::pair{10, 7}, {1000, 5}, {10000, 1}}) {
            const Sample sample = Measure(*platform, count, repetitions, warmUp);
            warmUp = false;
            std::printf("%8d %6d %12.3f %12.3f %8.3f\n", count, repetitions, sample.refill,
                        sample.floor, sample.refill / sample.floor);
            std::fflush(stdout);
            (count == 1000 ? at1000 : at10000) = sample.refill;
        }
        std::printf("refill per entry at 10000 / at 1000: %.3f\n", at10000 / at1000);
        return 0;
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "refill timing failed: %s\n", failure.what());
        return 1;
    }
}
