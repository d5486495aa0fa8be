#include "BmpFile.h"

#include "ByteWriter.h"

#include <stdexcept>

namespace pictures {

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::int32_t kPixelsPerMetre = 3780; // 96 pixels per inch

} // namespace

std::vector<std::uint8_t> EncodeBmp24(const Canvas& canvas)
{
    const std::uint32_t stride = DibStride(canvas.width(), 24);
    const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(canvas.height());
    const std::uint32_t pixelOffset = kFileHeaderSize + kInfoHeaderSize;

    ByteWriter out;
    out.u8('B');
    out.u8('M');
    out.u32(pixelOffset + imageSize);
    out.u32(0);
    out.u32(pixelOffset);

    out.u32(kInfoHeaderSize);
    out.i32(canvas.width());
    out.i32(canvas.height()); // positive: the first row stored is the bottom one
    out.u16(1);
    out.u16(24);
    out.u32(0); // BI_RGB
    out.u32(imageSize);
    out.i32(kPixelsPerMetre);
    out.i32(kPixelsPerMetre);
    out.u32(0);
    out.u32(0);

    for (int y = canvas.height() - 1; y >= 0; --y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const Rgba c = canvas.at(x, y);
            if (c.a != 255) {
                throw std::invalid_argument("a 24-bit bitmap cannot hold transparent pixels");
            }
            out.u8(c.b);
            out.u8(c.g);
            out.u8(c.r);
        }
        out.zeros(stride - 3 * static_cast<std::uint32_t>(canvas.width()));
    }
    return out.take();
}

} // namespace pictures
