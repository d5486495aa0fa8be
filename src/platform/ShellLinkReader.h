#pragma once

#include "StartupFolders.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>

namespace platform {

// Text in the system's ANSI code page as wide text; the shortcut's older strings are stored so.
using AnsiDecoder = std::wstring (*)(std::span<const std::byte> text);

// A shortcut is a few hundred bytes; a file far larger is refused unread.
inline constexpr std::size_t kLargestShellLink = std::size_t{1} << 20U;

// Whether the bytes start as a shortcut (.lnk) does: its 76-byte header and the link class.
[[nodiscard]] bool IsShellLink(std::span<const std::byte> bytes) noexcept;

// What a shortcut (.lnk) starts, read from its bytes as the shell's link object reads them with
// GetPath(SLGP_RAWPATH) and GetArguments: the target as stored, environment references not
// expanded; an empty one when the link names no path. Every length in the file is checked
// against what holds it, and none when any one runs past it (or the file is no shortcut), since
// anyone can write a shortcut into a Startup folder. Throws std::bad_alloc only.
[[nodiscard]] std::optional<Shortcut> ReadShellLink(std::span<const std::byte> bytes,
                                                    AnsiDecoder decodeAnsi);

} // namespace platform
