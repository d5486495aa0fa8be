#pragma once

#include "Canvas.h"

#include <cstdint>
#include <vector>

namespace pictures {

// An .ico file with one 256-colour image (8 bits per pixel, palette, AND mask) for each canvas.
// Transparent pixels go into the mask; each image may use at most 255 colours besides the black
// that the masked pixels carry.
[[nodiscard]] std::vector<std::uint8_t> EncodeIco8(const std::vector<Canvas>& images);

} // namespace pictures
