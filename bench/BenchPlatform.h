#pragma once

#include "RefillWorkload.h"
#include "platform/Platform.h"

#include <memory>

namespace tolvan::bench {

// The platform the refill is measured on: the portable one over a temporary folder as drive C:,
// or in Windows builds the real one. Message boxes are answered silently on both.
class BenchPlatform {
public:
    virtual ~BenchPlatform() = default;
    [[nodiscard]] virtual platform::Platform& Services() noexcept = 0;
    [[nodiscard]] virtual HostPathOf HostPaths() = 0;
    [[nodiscard]] virtual const char* Name() const noexcept = 0;
};

std::unique_ptr<BenchPlatform> MakePortableBenchPlatform();
#ifdef _WIN32
std::unique_ptr<BenchPlatform> MakeWin32BenchPlatform();
#endif

} // namespace tolvan::bench
