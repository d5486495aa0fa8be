#pragma once

#include "ByteSource.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace platform::portable {

// The largest version resource read: its root node's length is a 16-bit number, and Windows
// fails anything larger.
inline constexpr std::uint32_t kMaxVersionResourceSize = 64 * 1024;

// The RT_VERSION resource of a PE file (32- or 64-bit): resource type 16, then the name with ID 1
// (or else the first name), then US English (0x0409) or else the first language. Nothing when the
// file is not a PE file, has no such resource, or any offset or length on the way leads outside the
// file.
[[nodiscard]] std::optional<std::vector<std::byte>>
FindVersionResource(const ByteSource& file) noexcept;

} // namespace platform::portable
