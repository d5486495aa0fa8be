#include "Canvas.h"

#include <cmath>
#include <stdexcept>

namespace pictures {

Canvas::Canvas(int width, int height, Rgba fill)
    : width_(width), height_(height),
      pixels_(static_cast<std::size_t>(width > 0 && height > 0 ? width * height : 0), fill)
{
    if (width <= 0 || height <= 0) {
        throw std::invalid_argument("a canvas needs a positive size");
    }
}

Rgba Canvas::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        throw std::out_of_range("pixel outside the canvas");
    }
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                   static_cast<std::size_t>(x)];
}

void Canvas::Set(int x, int y, Rgba colour)
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        throw std::out_of_range("pixel outside the canvas");
    }
    pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
            static_cast<std::size_t>(x)] = colour;
}

namespace {

std::uint8_t RoundedAverage(long sum, long count) noexcept
{
    return static_cast<std::uint8_t>((sum + count / 2) / count);
}

} // namespace

Canvas Render(int width, int height, const Scene& scene, int samplesPerAxis)
{
    Canvas canvas(width, height);
    const long samples = static_cast<long>(samplesPerAxis) * samplesPerAxis;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            long r = 0;
            long g = 0;
            long b = 0;
            long opaque = 0;
            for (int sy = 0; sy < samplesPerAxis; ++sy) {
                for (int sx = 0; sx < samplesPerAxis; ++sx) {
                    const double px = x + (sx + 0.5) / samplesPerAxis;
                    const double py = y + (sy + 0.5) / samplesPerAxis;
                    const Rgba c = scene(px, py);
                    if (c.a == 0) {
                        continue;
                    }
                    r += c.r;
                    g += c.g;
                    b += c.b;
                    ++opaque;
                }
            }
            if (opaque > 0 && opaque * 2 > samples) {
                canvas.Set(x, y,
                           Opaque(RoundedAverage(r, opaque), RoundedAverage(g, opaque),
                                  RoundedAverage(b, opaque)));
            }
        }
    }
    return canvas;
}

Rgba Mix(Rgba from, Rgba to, double t) noexcept
{
    const auto channel = [t](std::uint8_t a, std::uint8_t b) {
        return static_cast<std::uint8_t>(std::lround(a + (b - a) * t));
    };
    return {channel(from.r, to.r), channel(from.g, to.g), channel(from.b, to.b),
            channel(from.a, to.a)};
}

} // namespace pictures
