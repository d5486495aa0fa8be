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
    const std::uint32_t stride = DibStride(canvas.Width(), 24);
    const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(canvas.Height());
    const std::uint32_t pixelOffset = kFileHeaderSize + kInfoHeaderSize;

    ByteWriter out;
    out.U8('B');
    out.U8('M');
    out.U32(pixelOffset + imageSize);
    out.U32(0);
    out.U32(pixelOffset);

    out.U32(kInfoHeaderSize);
    out.I32(canvas.Width());
    out.I32(canvas.Height()); // positive: the first row stored is the bottom one
    out.U16(1);
    out.U16(24);
    out.U32(0); // BI_RGB
    out.U32(imageSize);
    out.I32(kPixelsPerMetre);
    out.I32(kPixelsPerMetre);
    out.U32(0);
    out.U32(0);

    for (int y = canvas.Height() - 1; y >= 0; --y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            const Rgba c = canvas.At(x, y);
            if (c.a != 255) {
                throw std::invalid_argument("a 24-bit bitmap cannot hold transparent pixels");
            }
            out.U8(c.b);
            out.U8(c.g);
            out.U8(c.r);
        }
        out.Zeros(stride - 3 * static_cast<std::uint32_t>(canvas.Width()));
    }
    return out.Take();
}

} // namespace pictures
