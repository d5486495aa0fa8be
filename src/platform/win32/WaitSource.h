#pragma once

#include <windows.h>

#include <cstddef>
#include <span>

namespace platform::win32 {

// Kernel objects the window thread's message loop waits on beside its messages.
class WaitSource {
public:
    virtual ~WaitSource() = default;

    // The handles to wait on now; the set may change after every call of Signalled.
    [[nodiscard]] virtual std::span<const HANDLE> Handles() const noexcept = 0;
    // The handle at this place in Handles() was signalled. Runs on the window thread.
    virtual void Signalled(std::size_t index) = 0;
    // Waiting on the handles failed with this error: the source gives them up.
    virtual void WaitFailed(DWORD error) = 0;
};

} // namespace platform::win32
