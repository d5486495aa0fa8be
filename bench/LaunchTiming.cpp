#include "LaunchTiming.h"

#include "LaunchSupport.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <psapi.h>
#include <sstream>
#include <vector>

namespace tolvan::bench {
namespace {

constexpr DWORD kReadyTimeoutMilliseconds = 60'000;
constexpr DWORD kMessageTimeoutMilliseconds = 5'000;
constexpr DWORD kExitTimeoutMilliseconds = 5'000;

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

// Whether the window answers a message sent to it, which its thread does only once it has done
// its start-up work and waits in its message loop, and (with a count) its list box holds at least
// that many items. The same point is timed for every program: shown, painted and ready for input.
bool Ready(HWND window, int listCount) noexcept
{
    DWORD_PTR answer = 0;
    if (listCount < 0) {
        return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG,
                                   kMessageTimeoutMilliseconds, &answer) != 0;
    }
    HWND listBox = nullptr;
    EnumChildWindows(window, FindListBox, reinterpret_cast<LPARAM>(&listBox));
    return listBox != nullptr &&
           SendMessageTimeoutW(listBox, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG,
                               kMessageTimeoutMilliseconds, &answer) != 0 &&
           static_cast<LRESULT>(answer) >= listCount;
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

// Where a measuring build writes its start-up trace: it finds the name in its environment, which
// it inherits from here.
std::wstring TraceFilePath()
{
    wchar_t folder[MAX_PATH] = {};
    const DWORD length = GetTempPathW(MAX_PATH, folder);
    std::wstring path = length > 0 && length < MAX_PATH ? folder : L".\\";
    path += L"tolvan-startup-trace.txt";
    return path;
}

LONGLONG CounterNow() noexcept
{
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

// The trace the program wrote as it ended, timed from `created` (a performance-counter reading
// taken just before the process was created).
std::vector<TracePoint> ReadTrace(const std::wstring& path, LONGLONG created)
{
    std::vector<TracePoint> trace;
    std::ifstream file{std::filesystem::path(path)};
    std::string line;
    double ticksPerMillisecond = 0;
    while (std::getline(file, line)) {
        const std::size_t tab = line.find('\t');
        if (tab == std::string::npos) {
            continue;
        }
        const std::string point = line.substr(0, tab);
        const long long value = std::stoll(line.substr(tab + 1));
        if (point == "frequency") {
            ticksPerMillisecond = static_cast<double>(value) / 1000.0;
        } else if (ticksPerMillisecond > 0) {
            trace.push_back(
                TracePoint{point, static_cast<double>(value - created) / ticksPerMillisecond});
        }
    }
    return trace;
}

} // namespace

HWND ShownWindowOf(DWORD processId) noexcept
{
    WindowSearch search{processId, nullptr};
    EnumWindows(FindShownWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::optional<LaunchSample> TimeLaunch(const std::wstring& program, int listCount)
{
    const FineTimer fineTimer;
    std::wstring commandLine = L"\"" + program + L"\"";
    std::vector<wchar_t> mutableCommandLine(commandLine.begin(), commandLine.end());
    mutableCommandLine.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION created{};

    const std::wstring tracePath = TraceFilePath();
    DeleteFileW(tracePath.c_str());
    SetEnvironmentVariableW(L"TOLVAN_STARTUP_TRACE", tracePath.c_str());

    const LONGLONG createdAt = CounterNow();
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
        if (window != nullptr && Ready(window, listCount)) {
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
    std::vector<TracePoint> trace = ReadTrace(tracePath, createdAt);
    DeleteFileW(tracePath.c_str());
    return LaunchSample{spent.count(), haveMemory ? counters.PeakWorkingSetSize : 0,
                        std::move(trace)};
}

} // namespace tolvan::bench
