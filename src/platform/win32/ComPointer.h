#pragma once

#include "platform/UniqueHandle.h"

#include <unknwn.h>

namespace platform::win32 {

template <typename Interface> struct ComPointerTraits {
    using pointer = Interface*;
    static constexpr pointer Invalid() noexcept { return nullptr; }
    static void Close(pointer object) noexcept { object->Release(); }
};

// One reference to a COM object, released on every path. put() suits the out-parameter of
// CoCreateInstance and QueryInterface through IID_PPV_ARGS.
template <typename Interface> using ComPointer = UniqueHandle<ComPointerTraits<Interface>>;

} // namespace platform::win32
