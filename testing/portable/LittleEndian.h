#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace platform::portable {

// Little-endian numbers read out of untrusted bytes; nothing when they do not lie wholly inside.

[[nodiscard]] inline std::optional<std::uint16_t> ReadU16(std::span<const std::byte> bytes,
                                                          std::size_t offset) noexcept
{
    if (offset > bytes.size() || bytes.size() - offset < 2) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(std::to_integer<unsigned>(bytes[offset]) |
                                      (std::to_integer<unsigned>(bytes[offset + 1]) << 8));
}

[[nodiscard]] inline std::optional<std::uint32_t> ReadU32(std::span<const std::byte> bytes,
                                                          std::size_t offset) noexcept
{
    if (offset > bytes.size() || bytes.size() - offset < 4) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= std::to_integer<std::uint32_t>(bytes[offset + i]) << (8 * i);
    }
    return value;
}

} // namespace platform::portable
