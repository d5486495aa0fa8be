#include "StartupTrace.h"

#if defined(TOLVAN_STARTUP_TRACE)
#include <atomic>

namespace platform {
namespace {

// Set once, before the first mark, by a build for measuring; read on every mark.
// NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables)
std::atomic<StartupSink> installedSink{nullptr};

} // namespace

void MarkStartup(const char* point) noexcept
{
    if (const StartupSink sink = installedSink.load(std::memory_order_acquire)) {
        sink(point);
    }
}

void SetStartupSink(StartupSink sink) noexcept
{
    installedSink.store(sink, std::memory_order_release);
}

} // namespace platform
#endif
