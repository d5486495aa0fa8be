#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace pictures {

// Little-endian fields, the byte order of every Windows file header.
class ByteWriter {
public:
    void U8(std::uint8_t value) { bytes_.push_back(value); }
    void U16(std::uint16_t value)
    {
        U8(static_cast<std::uint8_t>(value & 0xFF));
        U8(static_cast<std::uint8_t>(value >> 8));
    }
    void U32(std::uint32_t value)
    {
        U16(static_cast<std::uint16_t>(value & 0xFFFF));
        U16(static_cast<std::uint16_t>(value >> 16));
    }
    void I32(std::int32_t value) { U32(static_cast<std::uint32_t>(value)); }
    void Zeros(std::size_t count) { bytes_.insert(bytes_.end(), count, 0); }

    [[nodiscard]] std::size_t Size() const noexcept { return bytes_.size(); }
    [[nodiscard]] std::vector<std::uint8_t> Take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

// Rows of a device-independent bitmap are padded to whole 32-bit words.
constexpr std::uint32_t DibStride(int width, int bitsPerPixel) noexcept
{
    return ((static_cast<std::uint32_t>(width) * static_cast<std::uint32_t>(bitsPerPixel) + 31) /
            32) *
           4;
}

} // namespace pictures
