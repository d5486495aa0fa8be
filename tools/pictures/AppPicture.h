#pragma once

#include "Canvas.h"

namespace pictures {

// The program's picture: a window listing programs, with a green "start" badge over its corner.
// Drawn separately for each size, since a 16-pixel picture needs its own pixel placement.
enum class AppPictureSize { Small = 16, Medium = 32, Large = 64 };

// `background` fills everything around the motif: white for the banner pictures, transparent
// for the icon.
[[nodiscard]] Canvas DrawAppPicture(AppPictureSize size, Rgba background);

} // namespace pictures
