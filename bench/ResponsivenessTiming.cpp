// How long the tool keeps its user waiting with a very long list, seen from outside as the user
// sees it: its window should show, with the reading's progress, long before 20,000 entries are
// read, and answer within a tenth of a second while the list is read, at start and on a refill.
#include "ResponsivenessTiming.h"

#include "LaunchSupport.h"
#include "Median.h"
#include "RefillWorkload.h"
#include "entries/Scope.h"
#include "platform/win32/window/ControlIds.h"
#include "registry/RegistryValues.h"
#include "ui/layouts/MainWindowLayout.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

namespace tolvan::bench {
namespace {

constexpr int kCount = 20'000;
constexpr int kRuns = 3;
constexpr double kAnswerTargetMilliseconds = 100;
// A tool that reads every program before it shows or answers takes minutes at 20,000 under Wine;
// one that does not answer for this long is given up on.
constexpr DWORD kGiveUpMilliseconds = 600'000;
constexpr DWORD kSampleIntervalMilliseconds = 5;
constexpr DWORD kExitMilliseconds = 5'000;
// Named to sort first; its program is not there, so it costs the refill no file.
constexpr platform::NulTerminated kMarkerName = L"0 responsiveness marker";
constexpr std::wstring_view kMarkerCommand = L"C:\\TolvanBench Removed\\marker.exe";

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

HWND ControlNamed(HWND main, std::wstring_view name)
{
    const platform::window::WindowLayout& layout = ui::MainWindowLayout();
    for (std::size_t i = 0; i < layout.controls.size(); ++i) {
        if (layout.controls[i].name == name) {
            return GetDlgItem(main, platform::win32::ControlId(layout, i));
        }
    }
    return nullptr;
}

// The longest a message waited for its answer, and when the answer came.
struct Wait {
    double milliseconds = 0;
    Clock::time_point answered;
};

// The main window watched from outside: every message sent to it is timed from the send to the
// answer, and the longest such wait is kept.
class Watch {
public:
    explicit Watch(HWND main)
        : main_(main), list_(ControlNamed(main, L"entryList")),
          progress_(ControlNamed(main, L"readingLabel"))
    {
    }

    // The number of items in the list, once the window and its list have answered; nothing when
    // they do not.
    std::optional<int> Sample()
    {
        if (!Send(main_, WM_NULL)) {
            return std::nullopt;
        }
        return Send(list_, LB_GETCOUNT);
    }

    // Whether the window shows the reading's progress; a window without the label never does.
    [[nodiscard]] bool Reading() const noexcept
    {
        return progress_ != nullptr && IsWindowVisible(progress_);
    }

    // Samples until the list holds `count` items and shows no reading; false when the window
    // stopped answering. Tells whether the progress showed on the way.
    bool WaitUntilFilled(int count, bool& progressShown)
    {
        while (true) {
            const std::optional<int> items = Sample();
            if (!items) {
                return false;
            }
            const bool reading = Reading();
            progressShown = progressShown || reading;
            if (*items == count && !reading) {
                return true;
            }
            Sleep(kSampleIntervalMilliseconds);
        }
    }

    void PressRefillKey() const noexcept
    {
        PostMessageW(list_, WM_KEYDOWN, VK_F5, 1);
        PostMessageW(list_, WM_KEYUP, VK_F5, 0xC0000001);
    }

    [[nodiscard]] Wait TakeLongest() noexcept { return std::exchange(longest_, Wait{}); }

private:
    std::optional<int> Send(HWND target, UINT message)
    {
        DWORD_PTR answer = 0;
        const Clock::time_point sent = Clock::now();
        if (SendMessageTimeoutW(target, message, 0, 0, SMTO_NORMAL, kGiveUpMilliseconds, &answer) ==
            0) {
            return std::nullopt;
        }
        if (const double waited = MillisecondsSince(sent); waited > longest_.milliseconds) {
            longest_ = Wait{waited, Clock::now()};
        }
        return static_cast<int>(answer);
    }

    HWND main_;
    HWND list_;
    HWND progress_;
    Wait longest_;
};

struct RunFigures {
    double shown = 0;            // process creation to the window shown and answering
    bool progressAtShow = false; // the list was not yet filled and the progress showed
    double filled = 0;           // process creation to every entry listed, no reading shown
    double longestWhileFilling = 0;
    double refill = 0; // F5 to the list refilled, no reading shown
    bool progressInRefill = false;
    double longestInRefill = 0;
    // How long before the refilled list the longest wait of the refill ended: about nothing
    // when putting the new list in place is what kept the window.
    double longestInRefillBeforeEnd = 0;
};

// A Run value the refill must bring into the list, so that its end shows from outside; removed
// again whatever happens.
class MarkerValue {
public:
    explicit MarkerValue(platform::Platform& platform) : platform_(platform)
    {
        if (registry::WriteString(platform_.registry, Key(), kMarkerName, kMarkerCommand,
                                  platform::reg::kTypeSz) != platform::reg::kSuccess) {
            throw std::runtime_error("cannot write the marker value");
        }
    }
    ~MarkerValue() { (void)registry::DeleteValue(platform_.registry, Key(), kMarkerName); }
    MarkerValue(const MarkerValue&) = delete;
    MarkerValue& operator=(const MarkerValue&) = delete;

private:
    static registry::KeyPath Key() { return entries::RunKeyOf(entries::Scope::CurrentUser); }
    platform::Platform& platform_;
};

void End(HANDLE process, HWND window) noexcept
{
    if (window != nullptr) {
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process, kExitMilliseconds) != WAIT_OBJECT_0) {
        TerminateProcess(process, 1);
        WaitForSingleObject(process, kExitMilliseconds);
    }
}

std::optional<RunFigures> MeasureRun(platform::Platform& platform, const std::wstring& tool)
{
    std::wstring commandLine = L"\"" + tool + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION created{};
    const Clock::time_point start = Clock::now();
    if (!CreateProcessW(tool.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &created)) {
        return std::nullopt;
    }
    const KernelHandle process(created.hProcess);
    const KernelHandle thread(created.hThread);

    HWND main = nullptr;
    DWORD_PTR answer = 0;
    while (main == nullptr || SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL,
                                                  kGiveUpMilliseconds, &answer) == 0) {
        if (WaitForSingleObject(process.get(), 1) == WAIT_OBJECT_0 ||
            MillisecondsSince(start) > kGiveUpMilliseconds) {
            End(process.get(), main);
            return std::nullopt;
        }
        main = ShownWindowOf(created.dwProcessId);
    }
    RunFigures figures;
    figures.shown = MillisecondsSince(start);
    Watch watch(main);
    const std::optional<int> itemsAtShow = watch.Sample();
    figures.progressAtShow = itemsAtShow && *itemsAtShow < kCount && watch.Reading();
    bool progress = false;
    const bool filled = watch.WaitUntilFilled(kCount, progress);
    figures.filled = MillisecondsSince(start);
    figures.longestWhileFilling = watch.TakeLongest().milliseconds;

    if (!filled) {
        End(process.get(), main);
        return std::nullopt;
    }
    // Goes after the tool has closed, so that its removal starts no refill to wait for.
    const MarkerValue marker(platform);
    const Clock::time_point pressed = Clock::now();
    watch.PressRefillKey();
    const bool refilled = watch.WaitUntilFilled(kCount + 1, figures.progressInRefill);
    figures.refill = MillisecondsSince(pressed);
    const Wait longest = watch.TakeLongest();
    figures.longestInRefill = longest.milliseconds;
    figures.longestInRefillBeforeEnd = MillisecondsSince(longest.answered);
    End(process.get(), main);
    return refilled ? std::optional(figures) : std::nullopt;
}

const char* Verdict(bool within) noexcept
{
    return within ? "within target" : "over target";
}

double Worst(const std::vector<RunFigures>& runs, double RunFigures::*figure)
{
    double worst = 0;
    for (const RunFigures& run : runs) {
        worst = std::max(worst, run.*figure);
    }
    return worst;
}

double MedianOf(const std::vector<RunFigures>& runs, double RunFigures::*figure)
{
    std::vector<double> values(runs.size());
    std::transform(runs.begin(), runs.end(), values.begin(),
                   [&](const RunFigures& run) { return run.*figure; });
    return Median(std::move(values));
}

bool Every(const std::vector<RunFigures>& runs, bool RunFigures::*figure)
{
    return std::all_of(runs.begin(), runs.end(),
                       [&](const RunFigures& run) { return run.*figure; });
}

} // namespace

int RunResponsiveness(BenchPlatform& platform, const std::wstring& tool)
{
    const FineTimer fineTimer;
    RefillWorkload workload(platform.Services(), platform.HostPaths(), kCount);
    std::vector<RunFigures> runs;
    for (int run = 0; run < kRuns; ++run) {
        const std::optional<RunFigures> figures = MeasureRun(platform.Services(), tool);
        if (!figures) {
            std::fprintf(stderr, "the tool did not show its window, fill its list or refill it\n");
            return 1;
        }
        runs.push_back(*figures);
    }
    const double longestWhileFilling = Worst(runs, &RunFigures::longestWhileFilling);
    const double longestInRefill = Worst(runs, &RunFigures::longestInRefill);
    const bool shownWithProgress = Every(runs, &RunFigures::progressAtShow);
    std::printf("responsiveness with %d Run values (milliseconds; times: median of %d starts, "
                "longest waits: the worst start)\n",
                kCount, kRuns);
    std::printf("  window shown and answering      %10.1f   target: before the list is filled, "
                "with its progress: %s\n",
                MedianOf(runs, &RunFigures::shown), Verdict(shownWithProgress));
    std::printf("  list filled                     %10.1f\n", MedianOf(runs, &RunFigures::filled));
    std::printf("  longest wait while filling      %10.1f   target < %.0f: %s\n",
                longestWhileFilling, kAnswerTargetMilliseconds,
                Verdict(longestWhileFilling < kAnswerTargetMilliseconds));
    std::printf("  refill (F5) to the list refilled %9.1f   progress shown: %s\n",
                MedianOf(runs, &RunFigures::refill),
                Every(runs, &RunFigures::progressInRefill) ? "yes" : "no");
    std::printf("  longest wait during the refill  %10.1f   target < %.0f: %s\n", longestInRefill,
                kAnswerTargetMilliseconds, Verdict(longestInRefill < kAnswerTargetMilliseconds));
    for (std::size_t run = 0; run < runs.size(); ++run) {
        std::printf("  start %zu: shown %.1f, filled %.1f, longest wait %.1f; refill %.1f, longest "
                    "wait %.1f, ended %.1f before the list was refilled\n",
                    run + 1, runs[run].shown, runs[run].filled, runs[run].longestWhileFilling,
                    runs[run].refill, runs[run].longestInRefill,
                    runs[run].longestInRefillBeforeEnd);
    }
    return 0;
}

} // namespace tolvan::bench
