#pragma once

namespace platform::window {

// A rectangle on the screen, in pixels; right and bottom lie just outside it.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// A point on the screen, in pixels.
struct ScreenPoint {
    int x = 0;
    int y = 0;
};

} // namespace platform::window
