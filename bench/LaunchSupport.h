#pragma once

#include "platform/UniqueHandle.h"

#include <windows.h>

#include <mmsystem.h>

// What the timings of a started program share: its handles, a fine timer and its main window.
namespace tolvan::bench {

struct KernelHandleTraits {
    using pointer = HANDLE;
    static constexpr HANDLE Invalid() noexcept { return nullptr; }
    static void Close(HANDLE handle) noexcept { CloseHandle(handle); }
};
using KernelHandle = platform::UniqueHandle<KernelHandleTraits>;

// Sleep(1) sleeps a whole scheduler tick (about 15.6 ms) on Windows unless the timer runs
// finer; a poll would then add up to a tick to every figure.
class FineTimer {
public:
    FineTimer() noexcept { timeBeginPeriod(1); }
    ~FineTimer() { timeEndPeriod(1); }
    FineTimer(const FineTimer&) = delete;
    FineTimer& operator=(const FineTimer&) = delete;
};

// The process's main window: visible, top-level and without an owner (tooltips are owned); null
// while it has none.
[[nodiscard]] HWND ShownWindowOf(DWORD processId) noexcept;

} // namespace tolvan::bench
