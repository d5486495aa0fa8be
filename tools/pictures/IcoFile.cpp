#include "IcoFile.h"

#include "ByteWriter.h"

#include <algorithm>
#include <stdexcept>
#include <tuple>

namespace pictures {

namespace {

constexpr std::uint32_t kDirectorySize = 6;
constexpr std::uint32_t kEntrySize = 16;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::size_t kPaletteSize = 256;

bool ByChannels(Rgba a, Rgba b)
{
    return std::tie(a.r, a.g, a.b) < std::tie(b.r, b.g, b.b);
}

// Index 0 is black: masked pixels point at it, so they vanish under the AND mask and the XOR.
std::vector<Rgba> PaletteOf(const Canvas& image)
{
    const Rgba black = Opaque(0, 0, 0);
    std::vector<Rgba> colours;
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            if (const Rgba c = image.At(x, y); c.a != 0 && Opaque(c.r, c.g, c.b) != black) {
                colours.push_back(Opaque(c.r, c.g, c.b));
            }
        }
    }
    std::sort(colours.begin(), colours.end(), ByChannels);
    colours.erase(std::unique(colours.begin(), colours.end()), colours.end());
    colours.insert(colours.begin(), black);
    if (colours.size() > kPaletteSize) {
        throw std::invalid_argument("an icon image uses more than 256 colours");
    }
    return colours;
}

std::uint8_t IndexOf(const std::vector<Rgba>& palette, Rgba colour)
{
    if (colour.a == 0) {
        return 0;
    }
    const Rgba opaque = Opaque(colour.r, colour.g, colour.b);
    if (opaque == palette.front()) {
        return 0;
    }
    const auto found = std::lower_bound(palette.begin() + 1, palette.end(), opaque, ByChannels);
    return static_cast<std::uint8_t>(found - palette.begin());
}

std::uint32_t ImageSize(const Canvas& image)
{
    const auto rows = static_cast<std::uint32_t>(image.Height());
    return kInfoHeaderSize + 4 * static_cast<std::uint32_t>(kPaletteSize) +
           DibStride(image.Width(), 8) * rows + DibStride(image.Width(), 1) * rows;
}

void WriteImage(ByteWriter& out, const Canvas& image)
{
    const std::vector<Rgba> palette = PaletteOf(image);
    const auto rows = static_cast<std::uint32_t>(image.Height());
    const std::uint32_t colourStride = DibStride(image.Width(), 8);
    const std::uint32_t maskStride = DibStride(image.Width(), 1);

    out.U32(kInfoHeaderSize);
    out.I32(image.Width());
    out.I32(image.Height() * 2); // the colour rows and the mask rows
    out.U16(1);
    out.U16(8);
    out.U32(0); // BI_RGB
    out.U32((colourStride + maskStride) * rows);
    out.I32(0);
    out.I32(0);
    out.U32(0); // all 256 palette entries
    out.U32(0);

    for (std::size_t i = 0; i < kPaletteSize; ++i) {
        const Rgba c = i < palette.size() ? palette[i] : Rgba{};
        out.U8(c.b);
        out.U8(c.g);
        out.U8(c.r);
        out.U8(0);
    }
    for (int y = image.Height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.Width(); ++x) {
            out.U8(IndexOf(palette, image.At(x, y)));
        }
        out.Zeros(colourStride - static_cast<std::uint32_t>(image.Width()));
    }
    for (int y = image.Height() - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(maskStride, 0);
        for (int x = 0; x < image.Width(); ++x) {
            if (image.At(x, y).a == 0) {
                row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
        for (const std::uint8_t bits : row) {
            out.U8(bits);
        }
    }
}

} // namespace

std::vector<std::uint8_t> EncodeIco8(const std::vector<Canvas>& images)
{
    if (images.empty() || images.size() > 0xFFFF) {
        throw std::invalid_argument("an icon needs at least one image");
    }
    ByteWriter out;
    out.U16(0);
    out.U16(1); // icon, not cursor
    out.U16(static_cast<std::uint16_t>(images.size()));

    std::uint32_t offset = kDirectorySize + kEntrySize * static_cast<std::uint32_t>(images.size());
    for (const Canvas& image : images) {
        if (image.Width() > 256 || image.Height() > 256) {
            throw std::invalid_argument("icon images are at most 256 pixels a side");
        }
        out.U8(static_cast<std::uint8_t>(image.Width() % 256)); // 0 stands for 256
        out.U8(static_cast<std::uint8_t>(image.Height() % 256));
        out.U8(0); // 0 colours in the directory means 256
        out.U8(0);
        out.U16(1);
        out.U16(8);
        out.U32(ImageSize(image));
        out.U32(offset);
        offset += ImageSize(image);
    }
    for (const Canvas& image : images) {
        WriteImage(out, image);
    }
    return out.Take();
}

} // namespace pictures
