#pragma once

#include "Canvas.h"

#include <cstdint>
#include <vector>

namespace pictures {

// A 24-bit, bottom-up, uncompressed .bmp file. The canvas must be fully opaque: the format keeps
// no transparency, and a transparent pixel would silently turn black.
[[nodiscard]] std::vector<std::uint8_t> EncodeBmp24(const Canvas& canvas);

} // namespace pictures
