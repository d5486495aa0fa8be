#pragma once

#include "platform/UniqueHandle.h"

#include <windows.h>

namespace platform::win32 {

struct FindHandleTraits {
    using pointer = HANDLE;
    static pointer Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(pointer handle) noexcept { FindClose(handle); }
};

// A search started by FindFirstFileExW, closed with FindClose on every path.
using FindHandle = UniqueHandle<FindHandleTraits>;

} // namespace platform::win32
