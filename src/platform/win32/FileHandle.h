#pragma once

#include "platform/UniqueHandle.h"

#include <windows.h>

namespace platform::win32 {

struct FileHandleTraits {
    using pointer = HANDLE;
    static pointer Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(pointer file) noexcept { CloseHandle(file); }
};

// A file opened by CreateFileW, closed on every path.
using FileHandle = UniqueHandle<FileHandleTraits>;

} // namespace platform::win32
