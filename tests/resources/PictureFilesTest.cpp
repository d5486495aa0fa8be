#include "PictureFiles.h"

#include "AppPicture.h"
#include "BmpFile.h"
#include "Flags.h"
#include "IcoFile.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

const std::filesystem::path kResourceDir = TOLVAN_RESOURCE_DIR;

Bytes ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t U16(const Bytes& b, std::size_t at)
{
    return b.at(at) | (b.at(at + 1) << 8);
}

std::uint32_t U32(const Bytes& b, std::size_t at)
{
    return U16(b, at) | (U16(b, at + 2) << 16);
}

std::int32_t I32(const Bytes& b, std::size_t at)
{
    return static_cast<std::int32_t>(U32(b, at));
}

std::map<std::string, Bytes> DrawnFiles()
{
    std::map<std::string, Bytes> files;
    for (auto& file : pictures::DrawPictureFiles()) {
        files.emplace(file.name, std::move(file.bytes));
    }
    return files;
}

int Brightness(pictures::Rgba c)
{
    return c.r + c.g + c.b;
}

long TotalBrightness(const pictures::Canvas& canvas)
{
    long total = 0;
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            total += Brightness(canvas.At(x, y));
        }
    }
    return total;
}

TEST(PictureFiles, CommittedFilesAreWhatTheDrawingProduces)
{
    for (const auto& [name, drawn] : DrawnFiles()) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(ReadFile(kResourceDir / name) == drawn)
            << "src/ui/res/" << name << " differs from its drawing: run tools/draw-pictures";
    }
}

TEST(PictureFiles, EveryPictureTheResourceScriptNamesIsDrawn)
{
    const Bytes script = ReadFile(kResourceDir / "tolvan.rc");
    const std::string text(script.begin(), script.end());
    const std::regex picture(R"re("([a-z0-9_]+\.(bmp|ico))")re");
    std::set<std::string> named;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), picture);
         it != std::sregex_iterator(); ++it) {
        named.insert((*it)[1]);
    }
    std::set<std::string> drawn;
    for (const auto& [name, bytes] : DrawnFiles()) {
        drawn.insert(name);
    }
    EXPECT_EQ(named, drawn);
}

TEST(PictureFiles, BitmapRowsStartAtTheBottomAndArePaddedWithZeros)
{
    pictures::Canvas canvas(21, 2, pictures::kWhite);
    canvas.Set(0, 1, pictures::Opaque(10, 20, 30)); // bottom left
    const Bytes bmp = pictures::EncodeBmp24(canvas);
    ASSERT_EQ(bmp.size(), 54u + 2 * 64);
    EXPECT_EQ(bmp[54], 30); // blue, green, red
    EXPECT_EQ(bmp[55], 20);
    EXPECT_EQ(bmp[56], 10);
    EXPECT_EQ(bmp[54 + 63], 0);
    EXPECT_EQ(bmp[54 + 64], 255);
}

TEST(PictureFiles, EncodersRefuseWhatTheFormatsCannotHold)
{
    const pictures::Canvas seeThrough(4, 4);
    EXPECT_THROW((void)pictures::EncodeBmp24(seeThrough), std::invalid_argument);

    pictures::Canvas colourful(32, 32);
    for (int i = 0; i < 32 * 32; ++i) {
        colourful.Set(i % 32, i / 32,
                      pictures::Opaque(static_cast<std::uint8_t>(i % 256),
                                       static_cast<std::uint8_t>(i / 256), 7));
    }
    EXPECT_THROW((void)pictures::EncodeIco8({colourful}), std::invalid_argument);
}

// Decodes one 8-bit image of an .ico file back into pixels, transparent where the mask says so.
pictures::Canvas DecodeIconImage(const Bytes& ico, std::size_t offset, int size)
{
    EXPECT_EQ(U32(ico, offset), 40u);
    EXPECT_EQ(I32(ico, offset + 4), size);
    EXPECT_EQ(I32(ico, offset + 8), 2 * size);
    EXPECT_EQ(U16(ico, offset + 14), 8u);
    const std::size_t palette = offset + 40;
    constexpr std::size_t kPaletteBytes = 1024; // 256 colours of 4 bytes
    const std::size_t colours = palette + kPaletteBytes;
    const std::size_t colourStride = (static_cast<std::size_t>(size) + 3) / 4 * 4;
    const std::size_t mask = colours + colourStride * static_cast<std::size_t>(size);
    const std::size_t maskStride = (static_cast<std::size_t>(size) + 31) / 32 * 4;
    pictures::Canvas image(size, size);
    for (int row = 0; row < size; ++row) {
        const int y = size - 1 - row;
        for (int x = 0; x < size; ++x) {
            const std::size_t maskByte =
                mask + maskStride * static_cast<std::size_t>(row) + static_cast<std::size_t>(x / 8);
            if (ico.at(maskByte) & (0x80 >> (x % 8))) {
                continue;
            }
            const std::size_t entry =
                palette + 4 * static_cast<std::size_t>(
                                  ico.at(colours + colourStride * static_cast<std::size_t>(row) +
                                         static_cast<std::size_t>(x)));
            image.Set(x, y, pictures::Opaque(ico.at(entry + 2), ico.at(entry + 1), ico.at(entry)));
        }
    }
    return image;
}

TEST(PictureFiles, IconHoldsThe16And32PixelPicturesIn256ColoursWithoutLoss)
{
    const Bytes ico = DrawnFiles().at("tolvan.ico");
    ASSERT_GE(ico.size(), 6u + 2 * 16);
    EXPECT_EQ(U16(ico, 0), 0u);
    EXPECT_EQ(U16(ico, 2), 1u);
    ASSERT_EQ(U16(ico, 4), 2u);

    const std::map<int, pictures::AppPictureSize> sizes{{16, pictures::AppPictureSize::Small},
                                                        {32, pictures::AppPictureSize::Medium}};
    std::set<int> seen;
    for (std::size_t entry = 6; entry < 6 + 2 * 16; entry += 16) {
        const int size = ico.at(entry);
        SCOPED_TRACE(size);
        seen.insert(size);
        EXPECT_EQ(ico.at(entry + 1), size);
        EXPECT_EQ(ico.at(entry + 2), 0); // 256 colours
        EXPECT_EQ(U16(ico, entry + 6), 8u);
        const std::size_t offset = U32(ico, entry + 12);
        ASSERT_LE(offset + U32(ico, entry + 8), ico.size());
        ASSERT_TRUE(sizes.contains(size));

        const pictures::Canvas expected =
            pictures::DrawAppPicture(sizes.at(size), pictures::kTransparent);
        const pictures::Canvas decoded = DecodeIconImage(ico, offset, size);
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                ASSERT_EQ(decoded.At(x, y), expected.At(x, y)) << "at " << x << ',' << y;
            }
        }
        EXPECT_EQ(decoded.At(0, 0).a, 0) << "the corner shows the desktop through the mask";
    }
    EXPECT_EQ(seen, (std::set<int>{16, 32}));
}

TEST(PictureFiles, HighlightedFlagsLightUpInPlace)
{
    using pictures::FlagLook;
    const std::pair<pictures::Canvas, pictures::Canvas> flags[] = {
        {pictures::DrawEnglishFlag(FlagLook::Plain),
         pictures::DrawEnglishFlag(FlagLook::Highlighted)},
        {pictures::DrawHungarianFlag(FlagLook::Plain),
         pictures::DrawHungarianFlag(FlagLook::Highlighted)}};
    for (const auto& [plain, lit] : flags) {
        ASSERT_EQ(lit.Width(), plain.Width());
        ASSERT_EQ(lit.Height(), plain.Height());
        // The frame changes, and no pixel of the cloth grows darker while most grow brighter.
        EXPECT_NE(lit.At(0, 10), plain.At(0, 10));
        int brighter = 0;
        for (int y = 4; y < 16; ++y) {
            for (int x = 1; x < 20; ++x) {
                EXPECT_GE(Brightness(lit.At(x, y)), Brightness(plain.At(x, y)));
                brighter += Brightness(lit.At(x, y)) > Brightness(plain.At(x, y)) ? 1 : 0;
            }
        }
        EXPECT_GT(brighter, 19 * 12 / 2);
        EXPECT_GT(TotalBrightness(lit), TotalBrightness(plain));
        // Plain, the flag sits on the white banner.
        EXPECT_EQ(plain.At(10, 0), pictures::kWhite);
        EXPECT_EQ(plain.At(10, plain.Height() - 1), pictures::kWhite);
    }
}

} // namespace
