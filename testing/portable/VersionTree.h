#pragma once

#include "platform/VersionResources.h"

#include <cstddef>
#include <span>
#include <string_view>

namespace platform::portable {

// Finds a sub-block in a VS_VERSIONINFO tree the way VerQueryValueW does: the path is split at
// '\' (empty parts skipped, "\" alone is the root) and each part must match a child's whole key,
// without regard to case. Each node is its length, value length, type, NUL-terminated key,
// padding to 32 bits, value, padding and children. A node that is shorter than its header, runs
// past its parent or has no NUL in its key ends the search of that branch. 16-bit (ANSI) trees
// are not read.
[[nodiscard]] bool FindVersionValue(std::span<const std::byte> resource, std::wstring_view subBlock,
                                    VersionValue& value) noexcept;

} // namespace platform::portable
