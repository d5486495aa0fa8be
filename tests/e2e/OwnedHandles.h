#pragma once

#include "platform/UniqueHandle.h"

#include <windows.h>

namespace tolvan::e2e {

struct RegistryKeyTraits {
    using pointer = HKEY;
    static pointer Invalid() noexcept { return nullptr; }
    static void Close(pointer key) noexcept { RegCloseKey(key); }
};

struct KernelHandleTraits {
    using pointer = HANDLE;
    static pointer Invalid() noexcept { return nullptr; }
    static void Close(pointer handle) noexcept { CloseHandle(handle); }
};

using OwnedKey = platform::UniqueHandle<RegistryKeyTraits>;
using OwnedProcess = platform::UniqueHandle<KernelHandleTraits>;

} // namespace tolvan::e2e
