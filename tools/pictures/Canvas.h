#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace pictures {

struct Rgba {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 0;

    friend bool operator==(const Rgba&, const Rgba&) = default;
};

constexpr Rgba Opaque(std::uint8_t r, std::uint8_t g, std::uint8_t b) noexcept
{
    return {r, g, b, 255};
}

constexpr Rgba kTransparent{};
constexpr Rgba kWhite = Opaque(255, 255, 255);

// A scene answers the colour at any point of the picture plane; pixel (x, y) covers the square
// from (x, y) to (x + 1, y + 1), y growing downwards.
using Scene = std::function<Rgba(double x, double y)>;

class Canvas {
public:
    Canvas(int width, int height, Rgba fill = kTransparent);

    [[nodiscard]] int Width() const noexcept { return width_; }
    [[nodiscard]] int Height() const noexcept { return height_; }
    [[nodiscard]] Rgba At(int x, int y) const;
    void Set(int x, int y, Rgba colour);

private:
    int width_;
    int height_;
    std::vector<Rgba> pixels_;
};

// Renders the scene with a grid of samples in every pixel and averages them, so edges are
// smoothed. Pixels that more than half of the samples leave transparent stay fully transparent;
// the others are opaque: icons keep a one-bit mask, and a soft edge against a transparent
// background would turn into a dark fringe on a light desktop.
[[nodiscard]] Canvas Render(int width, int height, const Scene& scene, int samplesPerAxis = 4);

// Straight linear mix, t = 0 gives `from`, t = 1 gives `to`.
[[nodiscard]] Rgba Mix(Rgba from, Rgba to, double t) noexcept;

} // namespace pictures
