#pragma once

#include "Canvas.h"

namespace pictures {

// The language flags of the banner are 21 x 20 pixels. The flag itself is smaller and framed, so
// that the highlighted form has room for its glow while lying exactly on top of the plain one.
constexpr int kFlagWidth = 21;
constexpr int kFlagHeight = 20;

enum class FlagLook { Plain, Highlighted };

[[nodiscard]] Canvas DrawEnglishFlag(FlagLook look);
[[nodiscard]] Canvas DrawHungarianFlag(FlagLook look);

} // namespace pictures
