#pragma once

#include <cstddef>
#include <span>
#include <string>

namespace platform {

// Bytes in Windows-1252, the ANSI code page of Western systems, as wide text; the five bytes the
// code page leaves undefined stand for the control characters of the same number, as Windows
// maps them.
[[nodiscard]] std::wstring FromWindows1252(std::span<const std::byte> text);

} // namespace platform
