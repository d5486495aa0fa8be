#pragma once

#include <cstddef>
#include <cstdint>

namespace versioninfo {

// The fixed part of a version resource (VS_FIXEDFILEINFO), field by field, 52 bytes.
struct FixedFileInfo {
    std::uint32_t dwSignature = 0;
    std::uint32_t dwStrucVersion = 0;
    std::uint32_t dwFileVersionMS = 0;
    std::uint32_t dwFileVersionLS = 0;
    std::uint32_t dwProductVersionMS = 0;
    std::uint32_t dwProductVersionLS = 0;
    std::uint32_t dwFileFlagsMask = 0;
    std::uint32_t dwFileFlags = 0;
    std::uint32_t dwFileOS = 0;
    std::uint32_t dwFileType = 0;
    std::uint32_t dwFileSubtype = 0;
    std::uint32_t dwFileDateMS = 0;
    std::uint32_t dwFileDateLS = 0;
};

inline constexpr std::size_t kFixedFileInfoSize = 13 * sizeof(std::uint32_t);

} // namespace versioninfo
