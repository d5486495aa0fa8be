// The refill of the entry table against its floor, with Google Benchmark: the same Run values
// read by a fresh entry table's rebuild and by a plain loop that only enumerates, reads and reads
// versions; and at 1,000 values, the refill of a table that has read them all once, after one
// value was changed to name a new program.
#include "BenchPlatform.h"
#include "RefillWorkload.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace tolvan::bench {
namespace {

constexpr int kCounts[] = {10, 1000, 10000};
constexpr int kChangedCount = 1000;
// The cold refill against the floor, which reads one program after the other, at 1,000 values:
// at most this, by reading the programs on several threads.
constexpr int kFloorTargetCount = 1000;
constexpr double kFloorTarget = 0.6;
constexpr double kChangedTarget = 0.25; // the refill after one change against the cold one
constexpr double kLinearTarget = 1.25;  // the cost per entry at 10,000 against that at 1,000

// One platform and one workload per count, made on first use and kept for every run.
RefillWorkload& WorkloadFor(int count)
{
    static const std::unique_ptr<BenchPlatform> kPlatform = MakePortableBenchPlatform();
    static std::map<int, std::unique_ptr<RefillWorkload>> workloads;
    if (const auto found = workloads.find(count); found != workloads.end()) {
        return *found->second;
    }
    workloads.clear(); // one set of Run values at a time
    auto& fresh = workloads[count];
    fresh = std::make_unique<RefillWorkload>(kPlatform->Services(), kPlatform->HostPaths(), count);
    return *fresh;
}

// A fresh table each time, which has read no program file before.
void Refill(benchmark::State& state)
{
    RefillWorkload& workload = WorkloadFor(static_cast<int>(state.range(0)));
    // The loop variable is the library's iteration token; it is meant to go unread.
    for (auto _ : state) { // NOLINT(clang-analyzer-deadcode.DeadStores)
        benchmark::DoNotOptimize(workload.ColdRefill());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The table the workload keeps, after one value was changed to name a program it has not read:
// as the list refills itself when the registry changes.
void RefillAfterOneChange(benchmark::State& state)
{
    RefillWorkload& workload = WorkloadFor(static_cast<int>(state.range(0)));
    (void)workload.Refill();
    for (auto _ : state) { // NOLINT(clang-analyzer-deadcode.DeadStores)
        state.PauseTiming();
        workload.ChangeOneValue();
        state.ResumeTiming();
        benchmark::DoNotOptimize(workload.Refill());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void Floor(benchmark::State& state)
{
    RefillWorkload& workload = WorkloadFor(static_cast<int>(state.range(0)));
    for (auto _ : state) { // NOLINT(clang-analyzer-deadcode.DeadStores)
        benchmark::DoNotOptimize(workload.Floor());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Both sides for one count before the next count, so each set of Run values is made once.
void Register()
{
    for (const int count : kCounts) {
        using Side = std::pair<const char*, void (*)(benchmark::State&)>;
        std::vector<Side> sides{{"refill", Refill}, {"floor", Floor}};
        if (count == kChangedCount) {
            sides.emplace_back("changed", RefillAfterOneChange);
        }
        for (const auto& [side, function] : sides) {
            benchmark::RegisterBenchmark(side, function)
                ->Arg(count)
                ->Unit(benchmark::kMicrosecond)
                ->UseRealTime()
                ->Repetitions(5)
                ->ReportAggregatesOnly(true);
        }
    }
}

// The console report, and the median time per entry of every benchmark kept for the closing
// table.
class CollectingReporter final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median" ||
                run.iterations == 0) {
                continue;
            }
            const std::string name = run.benchmark_name();
            const std::size_t slash = name.find('/');
            const int count = std::stoi(name.substr(slash + 1));
            // Wall-clock time: the refill reads on several threads, whose processor time the
            // benchmark's own thread does not count.
            const double seconds = run.real_accumulated_time / static_cast<double>(run.iterations);
            perEntry[name.substr(0, slash)][count] = seconds * 1e6 / count;
        }
    }

    std::map<std::string, std::map<int, double>> perEntry; // side -> count -> microseconds
};

const char* Verdict(bool met) noexcept
{
    return met ? "within target" : "over target";
}

} // namespace
} // namespace tolvan::bench

int main(int argc, char** argv)
{
    using namespace tolvan::bench;
    benchmark::Initialize(&argc, argv);
    Register();
    CollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::printf("\nportable platform: cost per entry (microseconds, median of 5 runs)\n");
    std::printf("%8s %12s %12s %8s\n", "N", "refill", "floor", "ratio");
    for (const int count : kCounts) {
        const double refill = reporter.perEntry["refill"][count];
        const double floor = reporter.perEntry["floor"][count];
        if (refill > 0 && floor > 0) {
            std::printf("%8d %12.3f %12.3f %8.3f", count, refill, floor, refill / floor);
            if (count == kFloorTargetCount) {
                std::printf("  (target <= %.2f: %s)", kFloorTarget,
                            Verdict(refill / floor <= kFloorTarget));
            }
            std::printf("\n");
        }
    }
    const double cold = reporter.perEntry["refill"][kChangedCount];
    const double changed = reporter.perEntry["changed"][kChangedCount];
    if (cold > 0 && changed > 0) {
        std::printf("refill after one value changed, at %d: %.3f per entry, %.3f of the cold "
                    "refill (target <= %.2f: %s)\n",
                    kChangedCount, changed, changed / cold, kChangedTarget,
                    Verdict(changed / cold <= kChangedTarget));
    }
    const double at1000 = reporter.perEntry["refill"][1000];
    const double at10000 = reporter.perEntry["refill"][10000];
    if (at1000 > 0) {
        std::printf("refill per entry at 10000 / at 1000: %.3f (target <= %.2f: %s)\n",
                    at10000 / at1000, kLinearTarget, Verdict(at10000 / at1000 <= kLinearTarget));
    }
    benchmark::Shutdown();
    return 0;
}
