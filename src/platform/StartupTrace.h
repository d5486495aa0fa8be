#pragma once

namespace platform {

// Marks along the way from the start of the process to its first window filled and painted, for
// the start-up benchmark to show where the time goes. The program itself records nothing: a mark
// only reaches a sink that a build for measuring has installed, and costs a test of one pointer
// otherwise. Marks come from the window's thread.
//
// `point` names the moment ("list filled") and must be a string literal: sinks keep the pointer.
void MarkStartup(const char* point) noexcept;

using StartupSink = void (*)(const char* point) noexcept;
// Installs the sink that receives every mark from now on; none stops recording.
void SetStartupSink(StartupSink sink) noexcept;

} // namespace platform
