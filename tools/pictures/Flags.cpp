#include "Flags.h"

#include <algorithm>
#include <cmath>

namespace pictures {

namespace {

// The cloth: 19 x 12 pixels, inside a one-pixel frame that takes the full width, centred.
constexpr double kClothLeft = 1;
constexpr double kClothTop = 4;
constexpr double kClothRight = 20;
constexpr double kClothBottom = 16;

constexpr Rgba kPlainFrame = Opaque(112, 120, 132);
constexpr Rgba kLitFrame = Opaque(255, 170, 0);
constexpr Rgba kGlowInner = Opaque(255, 214, 90);

bool OnCloth(double x, double y) noexcept
{
    return x >= kClothLeft && x < kClothRight && y >= kClothTop && y < kClothBottom;
}

bool OnFrame(double x, double y) noexcept
{
    return x >= kClothLeft - 1 && x < kClothRight + 1 && y >= kClothTop - 1 && y < kClothBottom + 1;
}

// Outside the frame: the white of the banner, or while lit a golden glow that fades out within
// about two pixels.
Rgba Surroundings(double x, double y, FlagLook look) noexcept
{
    if (look == FlagLook::Plain) {
        return kWhite;
    }
    const double dx = std::max({kClothLeft - 1 - x, x - (kClothRight + 1), 0.0});
    const double dy = std::max({kClothTop - 1 - y, y - (kClothBottom + 1), 0.0});
    const double distance = std::sqrt(dx * dx + dy * dy);
    return Mix(kGlowInner, kWhite, std::min(distance / 2.5, 1.0));
}

Rgba Framed(double x, double y, FlagLook look, Rgba cloth) noexcept
{
    if (OnCloth(x, y)) {
        return cloth;
    }
    if (OnFrame(x, y)) {
        return look == FlagLook::Plain ? kPlainFrame : kLitFrame;
    }
    return Surroundings(x, y, look);
}

struct UnionColours {
    Rgba blue;
    Rgba red;
    Rgba white;
};

// Distance of a point from the line through the cloth's centre in direction (dx, dy), signed:
// positive on the side the normal (-dy, dx) points to. `along` receives the position on the line.
double SignedDistance(double x, double y, double dx, double dy, double& along) noexcept
{
    const double length = std::sqrt(dx * dx + dy * dy);
    const double px = x - (kClothLeft + kClothRight) / 2;
    const double py = y - (kClothTop + kClothBottom) / 2;
    along = (px * dx + py * dy) / length;
    return (px * -dy + py * dx) / length;
}

Rgba UnionCloth(double x, double y, const UnionColours& colours) noexcept
{
    // St George's cross, red with a white border; pixel-aligned so that it stays crisp.
    const bool crossRed = (x >= 9 && x < 12) || (y >= 9 && y < 11);
    const bool crossWhite = (x >= 8 && x < 13) || (y >= 8 && y < 12);
    if (crossRed) {
        return colours.red;
    }
    if (crossWhite) {
        return colours.white;
    }

    // The saltires run corner to corner. The red one is counterchanged: in every arm it lies
    // beside the centre line, turned clockwise, so the broad white is above it at the hoist.
    constexpr double kWhiteHalf = 1.0;
    constexpr double kRed = 0.8;
    const double width = kClothRight - kClothLeft;
    const double height = kClothBottom - kClothTop;
    double along = 0;
    // Top left to bottom right; the normal points down-left.
    const double fall = SignedDistance(x, y, width, height, along);
    const bool fallRed = along < 0 ? (fall >= 0 && fall < kRed) : (fall < 0 && fall > -kRed);
    if (fallRed) {
        return colours.red;
    }
    const bool fallWhite = std::abs(fall) < kWhiteHalf;
    // Bottom left to top right, running from the centre towards bottom left; the normal points
    // up-left.
    const double rise = SignedDistance(x, y, -width, height, along);
    const bool riseRed = along < 0 ? (rise >= 0 && rise < kRed) : (rise < 0 && rise > -kRed);
    if (riseRed) {
        return colours.red;
    }
    if (fallWhite || std::abs(rise) < kWhiteHalf) {
        return colours.white;
    }
    return colours.blue;
}

} // namespace

Canvas DrawEnglishFlag(FlagLook look)
{
    const UnionColours colours =
        look == FlagLook::Plain ? UnionColours{Opaque(1, 33, 105), Opaque(200, 16, 46), kWhite}
                                : UnionColours{Opaque(36, 84, 196), Opaque(245, 45, 72), kWhite};
    // One sample a pixel: the saltires are only a few pixels long, and smoothing would blur them
    // into pink and lilac.
    return Render(
        kFlagWidth, kFlagHeight,
        [look, colours](double x, double y) {
            return Framed(x, y, look, UnionCloth(x, y, colours));
        },
        1);
}

Canvas DrawHungarianFlag(FlagLook look)
{
    const bool lit = look == FlagLook::Highlighted;
    const Rgba red = lit ? Opaque(245, 64, 82) : Opaque(205, 42, 62);
    const Rgba green = lit ? Opaque(72, 170, 96) : Opaque(67, 111, 77);
    return Render(kFlagWidth, kFlagHeight, [look, red, green](double x, double y) {
        const double third = (kClothBottom - kClothTop) / 3;
        const Rgba band = y < kClothTop + third ? red : y < kClothTop + 2 * third ? kWhite : green;
        return Framed(x, y, look, band);
    });
}

} // namespace pictures
