#pragma once

namespace platform {

// Marks along the way from the start of the process to its first window filled and painted, for
// the start-up benchmark to show where the time goes. They exist only in a build for measuring,
// compiled with TOLVAN_STARTUP_TRACE: in tolvan.exe a mark is an empty inline function, and costs
// nothing. Marks come from the window's thread.
//
// `point` names the moment ("list filled") and must be a string literal: sinks keep the pointer.
#if defined(TOLVAN_STARTUP_TRACE)
void MarkStartup(const char* point) noexcept;

using StartupSink = void (*)(const char* point) noexcept;
// Installs the sink that receives every mark from now on; none stops recording.
void SetStartupSink(StartupSink sink) noexcept;
#else
inline void MarkStartup(const char* /*point*/) noexcept {}
#endif

} // namespace platform
