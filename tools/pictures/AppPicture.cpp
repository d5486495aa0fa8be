#include "AppPicture.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace pictures {

namespace {

struct Geometry {
    int size;
    // The window, border included.
    double left, top, right, bottom;
    double corner;
    double titleHeight;
    // The list rows: a coloured program square and a grey text bar beside it.
    int rows;
    double rowTop, rowPitch, square, squareLeft, barLeft, barRight, barHeight;
    // The start badge and the clear ring that sets it off the window.
    double badgeX, badgeY, badgeRadius, gap;
    double shadow;
};

constexpr Geometry kSmall{.size = 16,
                          .left = 0,
                          .top = 1,
                          .right = 13,
                          .bottom = 13,
                          .corner = 1,
                          .titleHeight = 3,
                          .rows = 2,
                          .rowTop = 5,
                          .rowPitch = 3,
                          .square = 2,
                          .squareLeft = 2,
                          .barLeft = 5,
                          .barRight = 10,
                          .barHeight = 2,
                          .badgeX = 11.5,
                          .badgeY = 11.5,
                          .badgeRadius = 4.5,
                          .gap = 1,
                          .shadow = 0};
constexpr Geometry kMedium{.size = 32,
                           .left = 1,
                           .top = 3,
                           .right = 26,
                           .bottom = 27,
                           .corner = 2,
                           .titleHeight = 6,
                           .rows = 3,
                           .rowTop = 11,
                           .rowPitch = 5,
                           .square = 3,
                           .squareLeft = 4,
                           .barLeft = 9,
                           .barRight = 22,
                           .barHeight = 1,
                           .badgeX = 23.5,
                           .badgeY = 23.5,
                           .badgeRadius = 8.5,
                           .gap = 1.5,
                           .shadow = 0};
constexpr Geometry kLarge{.size = 64,
                          .left = 3,
                          .top = 6,
                          .right = 51,
                          .bottom = 53,
                          .corner = 3.5,
                          .titleHeight = 11,
                          .rows = 3,
                          .rowTop = 21,
                          .rowPitch = 8,
                          .square = 6,
                          .squareLeft = 8,
                          .barLeft = 17,
                          .barRight = 44,
                          .barHeight = 2,
                          .badgeX = 47,
                          .badgeY = 47,
                          .badgeRadius = 15,
                          .gap = 2.5,
                          .shadow = 1.5};

constexpr Rgba kBorder = Opaque(31, 78, 140);
constexpr Rgba kTitleTop = Opaque(86, 150, 232);
constexpr Rgba kTitleBottom = Opaque(44, 102, 190);
constexpr Rgba kBody = Opaque(246, 248, 251);
constexpr Rgba kBar = Opaque(178, 188, 200);
constexpr Rgba kShadow = Opaque(214, 219, 226);
constexpr Rgba kBadgeTop = Opaque(98, 205, 92);
constexpr Rgba kBadgeBottom = Opaque(34, 145, 58);
constexpr Rgba kBadgeRim = Opaque(26, 112, 44);
constexpr std::array kSquares{Opaque(243, 146, 30), Opaque(142, 78, 190), Opaque(22, 160, 133)};
constexpr std::array kBarLengths{1.0, 0.7, 0.85};

const Geometry& GeometryFor(AppPictureSize size) noexcept
{
    switch (size) {
    case AppPictureSize::Small:
        return kSmall;
    case AppPictureSize::Medium:
        return kMedium;
    case AppPictureSize::Large:
        break;
    }
    return kLarge;
}

// Signed distance from the edge of a rounded rectangle; negative inside.
double RoundedRectDistance(double x, double y, double left, double top, double right, double bottom,
                           double radius) noexcept
{
    const double qx = std::abs(x - (left + right) / 2) - ((right - left) / 2 - radius);
    const double qy = std::abs(y - (top + bottom) / 2) - ((bottom - top) / 2 - radius);
    const double ox = std::max(qx, 0.0);
    const double oy = std::max(qy, 0.0);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0) - radius;
}

bool InRect(double x, double y, double left, double top, double right, double bottom) noexcept
{
    return x >= left && x < right && y >= top && y < bottom;
}

// The "start" arrow: a triangle pointing right, its weight a little right of the centre.
bool InPlayArrow(double x, double y, const Geometry& g) noexcept
{
    const double r = g.badgeRadius;
    const double ax = g.badgeX - 0.32 * r;
    const double top = g.badgeY - 0.52 * r;
    const double bottom = g.badgeY + 0.52 * r;
    const double tipX = g.badgeX + 0.58 * r;
    if (x < ax) {
        return false;
    }
    const double halfHeight = (bottom - top) / 2 * (tipX - x) / (tipX - ax);
    return std::abs(y - g.badgeY) < halfHeight;
}

Rgba Badge(double x, double y, double distance, const Geometry& g) noexcept
{
    if (InPlayArrow(x, y, g)) {
        return kWhite;
    }
    if (distance > g.badgeRadius - 1) {
        return kBadgeRim;
    }
    const double t = (y - (g.badgeY - g.badgeRadius)) / (2 * g.badgeRadius);
    return Mix(kBadgeTop, kBadgeBottom, std::clamp(t, 0.0, 1.0));
}

Rgba WindowInside(double x, double y, const Geometry& g) noexcept
{
    if (y < g.top + g.titleHeight) {
        const double t = (y - g.top) / g.titleHeight;
        return Mix(kTitleTop, kTitleBottom, std::clamp(t, 0.0, 1.0));
    }
    for (int row = 0; row < g.rows; ++row) {
        const double top = g.rowTop + row * g.rowPitch;
        if (InRect(x, y, g.squareLeft, top, g.squareLeft + g.square, top + g.square)) {
            return kSquares[static_cast<std::size_t>(row) % kSquares.size()];
        }
        const double barTop = top + (g.square - g.barHeight) / 2;
        const double barRight =
            g.barLeft + (g.barRight - g.barLeft) *
                            kBarLengths[static_cast<std::size_t>(row) % kBarLengths.size()];
        if (InRect(x, y, g.barLeft, barTop, std::round(barRight), barTop + g.barHeight)) {
            return kBar;
        }
    }
    return kBody;
}

} // namespace

Canvas DrawAppPicture(AppPictureSize size, Rgba background)
{
    const Geometry& g = GeometryFor(size);
    return Render(g.size, g.size, [&g, background](double x, double y) {
        const double dx = x - g.badgeX;
        const double dy = y - g.badgeY;
        const double badge = std::sqrt(dx * dx + dy * dy);
        if (badge < g.badgeRadius) {
            return Badge(x, y, badge, g);
        }
        if (badge < g.badgeRadius + g.gap) {
            return background;
        }
        const double window = RoundedRectDistance(x, y, g.left, g.top, g.right, g.bottom, g.corner);
        if (window < -1) {
            return WindowInside(x, y, g);
        }
        if (window < 0) {
            return kBorder;
        }
        if (g.shadow > 0 && background.a != 0 &&
            RoundedRectDistance(x, y, g.left + g.shadow, g.top + g.shadow, g.right + g.shadow,
                                g.bottom + g.shadow, g.corner) < 0) {
            return kShadow;
        }
        return background;
    });
}

} // namespace pictures
