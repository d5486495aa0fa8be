#include "LaunchTiming.h"

#include "platform/UniqueHandle.h"

#include <windows.h>

#include <chrono>
#include <cwchar>
#include <iterator>
#include <mmsystem.h>
#include <psapi.h>
#include <vector>

namespace tolvan::bench {
namespace {

struct KernelHandleTraits {
    using pointer = HANDLE;
    static constexpr HANDLE Invalid() noexcept { return nullptr; }
    static void Close(HANDLE handle) noexcept { CloseHandle(handle); }
};
using KernelHandle = platform::UniqueHandle<KernelHandleTraits>;

constexpr DWORD kReadyTimeoutMilliseconds = 60'000;
constexpr DWORD kMessageTimeoutMilliseconds = 5'000;
constexpr DWORD kExitTimeoutMilliseconds = 5'000;

// Sleep(1) sleeps a whole scheduler tick (about 15.6 ms) on Windows unless the timer runs
// finer; the poll would then add up to a tick to every figure.
class FineTimer {
public:
    FineTimer() noexcept { timeBeginPeriod(1); }
    ~FineTimer() { timeEndPeriod(1); }
    FineTimer(const FineTimer&) = delete;
    FineTimer& operator=(const FineTimer&) = delete;
};

struct WindowSearch {
    DWORD processId = 0;
    HWND found = nullptr;
};

// The process's main window: visible, top-level and without an owner (tooltips are owned).
BOOL CALLBACK FindShownWindow(HWND window, LPARAM context) noexcept
{
    auto& search = *reinterpret_cast<WindowSearch*>(context);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != search.processId || !IsWindowVisible(window) ||
        GetWindow(window, GW_OWNER) != nullptr) {
        return TRUE;
    }
    search.found = window;
    return FALSE;
}

BOOL CALLBACK FindListBox(HWND window, LPARAM context) noexcept
{
    wchar_t className[32] = {};
    GetClassNameW(window, className, static_cast<int>(std::size(className)));
    if (_wcsicmp(className, L"ListBox") != 0) {
        return TRUE;
    }
    *reinterpret_cast<HWND*>(context) = window;
    return FALSE;
}

HWND ShownWindowOf(DWORD processId) noexcept
{
    WindowSearch search{processId, nullptr};
    EnumWindows(FindShownWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool ListHolds(HWND window, int listCount) noexcept
{
    if (listCount < 0) {
        return true;
    }
    HWND listBox = nullptr;
    EnumChildWindows(window, FindListBox, reinterpret_cast<LPARAM>(&listBox));
    DWORD_PTR count = 0;
    return listBox != nullptr &&
           SendMessageTimeoutW(listBox, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG,
                               kMessageTimeoutMilliseconds, &count) != 0 &&
           static_cast<LRESULT>(count) >= listCount;
}

void End(HANDLE process, HWND window) noexcept
{
    if (window != nullptr) {
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process, kExitTimeoutMilliseconds) != WAIT_OBJECT_0) {
        TerminateProcess(process, 1);
        WaitForSingleObject(process, kExitTimeoutMilliseconds);
    }
}

} // namespace

std::optional<LaunchSample> TimeLaunch(const std::wstring& program, int listCount)
{
    const FineTimer fineTimer;
    std::wstring commandLine = L"\"" + program + L"\"";
    std::vector<wchar_t> mutableCommandLine(commandLine.begin(), commandLine.end());
    mutableCommandLine.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION created{};

    const auto start = std::chrono::steady_clock::now();
    if (!CreateProcessW(program.c_str(), mutableCommandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &startup, &created)) {
        return std::nullopt;
    }
    const KernelHandle process(created.hProcess);
    const KernelHandle thread(created.hThread);

    HWND window = nullptr;
    while (true) {
        window = ShownWindowOf(created.dwProcessId);
        if (window != nullptr && ListHolds(window, listCount)) {
            break;
        }
        const std::chrono::duration<double, std::milli> waited =
            std::chrono::steady_clock::now() - start;
        if (WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0 ||
            waited.count() > kReadyTimeoutMilliseconds) {
            End(process.get(), window);
            return std::nullopt;
        }
        Sleep(1);
    }
    const std::chrono::duration<double, std::milli> spent =
        std::chrono::steady_clock::now() - start;

    // The peak once the first paint is done and the program waits for the user.
    WaitForInputIdle(process.get(), kMessageTimeoutMilliseconds);
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    const bool haveMemory = GetProcessMemoryInfo(process.get(), &counters, sizeof(counters)) != 0;
    End(process.get(), window);
    return LaunchSample{spent.count(), haveMemory ? counters.PeakWorkingSetSize : 0};
}

} // namespace tolvan::bench
