// The refill through the real main window against the refill of the entry table alone: the same
// Run values, in the same process, the two alternating. The window side is RefillList on a
// shown main window over the Windows window system, list box included, up to the repaint of what
// changed; the core side is the entry table's rebuild alone.
#include "BenchPlatform.h"
#include "Median.h"
#include "RefillWorkload.h"
#include "entries/EntryTable.h"
#include "platform/win32/window/Win32WindowSystem.h"
#include "ui/MainWindow.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <exception>
#include <string>
#include <utility>
#include <vector>

namespace tolvan::bench {
namespace {

constexpr double kTargetRatio = 1.25;

template <typename Work> double MicrosecondsPerEntry(Work&& work, int count)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double, std::micro> spent =
        std::chrono::steady_clock::now() - start;
    return spent.count() / count;
}

// Whatever the window still has to handle, so that it does not fall to the next measurement.
void DrainMessages() noexcept
{
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

struct Sample {
    double window = 0; // microseconds per entry
    double core = 0;
    double listFill = 0; // the list box alone: emptied and filled with the same texts
};

// What the list box costs apart from the refill: the binder empties and fills it with the
// display texts, as RefillList has it do.
void FillList(const ui::MainWindow& form, std::vector<std::wstring> texts, HWND window)
{
    form.Controls().entryList.ClearItems();
    form.Controls().entryList.AddItems(std::move(texts));
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// A refill through the window, until its list shows the new snapshot: the refill runs on its own
// thread, and the window's timer takes it, as here.
void RefillAndWait(ui::MainWindow& form, const entries::EntryTable& table)
{
    form.RefillList();
    while (table.Refilling()) {
        (void)table.WaitForRefill(std::chrono::hours(1));
        form.Controls().readingTimer.RaiseTimer();
    }
}

Sample Measure(BenchPlatform& platform, ui::MainWindow& form, const entries::EntryTable& table,
               HWND window, int count, int repetitions, bool warmUp)
{
    RefillWorkload workload(platform.Services(), platform.HostPaths(), count);
    // The first read of each program fills the file cache for all sides; every count names the
    // same few programs, so once is enough. A refill after an edit keeps a selection, so one is
    // made, and kept by every later refill.
    if (warmUp) {
        RefillAndWait(form, table);
        form.Controls().entryList.SetSelectedIndex(0);
        DrainMessages();
    }
    std::vector<double> windowSide;
    std::vector<double> coreSide;
    std::vector<double> listSide;
    for (int round = 0; round < repetitions; ++round) {
        coreSide.push_back(MicrosecondsPerEntry([&] { (void)workload.Refill(); }, count));
        windowSide.push_back(MicrosecondsPerEntry(
            [&] {
                RefillAndWait(form, table);
                RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            },
            count));
        DrainMessages();
        std::vector<std::wstring> texts;
        texts.reserve(table.Count());
        for (const entries::StartupEntry& entry : table.Entries()) {
            texts.push_back(entry.displayText);
        }
        listSide.push_back(
            MicrosecondsPerEntry([&] { FillList(form, std::move(texts), window); }, count));
        form.Controls().entryList.SetSelectedIndex(0); // emptying the list dropped the selection
        DrainMessages();
    }
    return {Median(windowSide), Median(coreSide), Median(listSide)};
}

} // namespace
} // namespace tolvan::bench

int main()
{
    using namespace tolvan::bench;
    try {
        const auto platform = MakeWin32BenchPlatform();
        platform::win32::Win32WindowSystem windows(GetModuleHandleW(nullptr));
        ui::InterfaceLanguage language;
        entries::EntryTable table(platform->Services());
        ui::MainWindow form(platform->Services(), windows, language, table);
        form.Show();
        HWND window = reinterpret_cast<HWND>(windows.Handle(form.Form()));
        DrainMessages();

        std::printf("refill through the main window (RefillList) against the entry table "
                    "alone (EntryTable::RefillNow)\n(microseconds per entry, median of repeated "
                    "runs, alternating)\n");
        std::printf("%8s %6s %12s %12s %8s %12s\n", "N", "runs", "window", "core", "ratio",
                    "list alone");
        bool warmUp = true;
        // One refill of 10,000 values takes half a minute under Wine: fewer runs there.
        for (const auto& [count, repetitions] : {std::pair{1000, 5}, {10000, 2}}) {
            const Sample sample =
                Measure(*platform, form, table, window, count, repetitions, warmUp);
            warmUp = false;
            const double ratio = sample.window / sample.core;
            std::printf("%8d %6d %12.3f %12.3f %8.3f %12.3f   target ratio <= %.2f: %s\n", count,
                        repetitions, sample.window, sample.core, ratio, sample.listFill,
                        kTargetRatio, ratio <= kTargetRatio ? "within target" : "over target");
            std::fflush(stdout);
        }
        windows.Unload(form.Form());
        DrainMessages();
        return 0;
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "window refill timing failed: %s\n", failure.what());
        return 1;
    }
}
