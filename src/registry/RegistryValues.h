#pragma once

#include "platform/Registry.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

// The tool's only writer of the registry. Each operation opens or creates one key, reads, writes
// or deletes one value in it, closes the key on every path and hands back a result code: 0 on
// success, 99 when no root was given (and no registry call was made), otherwise the Windows error
// code of the first call that failed (8 when memory ran out on the way). Nothing here shows
// anything to the user.
namespace registry {

inline constexpr platform::ErrorCode kNoRoot = 99;

// Where a value's key is: its root, its path under the root, and the view of the machine's
// SOFTWARE key it is seen in (platform::reg::kView64Bit or kView32Bit; 0 for the process's own).
struct KeyPath {
    platform::RootKey root = 0;
    platform::NulTerminated subKey = L"";
    std::uint32_t view = 0;
};

// Reads a number stored in at most 2 bytes: `value` starts as `defaultValue` and the stored bytes
// replace its low-order bytes, low byte first. Longer data gives 234 and keeps the default.
[[nodiscard]] platform::ErrorCode ReadBinaryNumber(platform::Registry& registry,
                                                   const KeyPath& path, std::wstring_view valueName,
                                                   std::int32_t defaultValue, std::int32_t& value);

// Stores the low-order 16 bits of `number` as 2 bytes of REG_BINARY, little-endian, creating the
// key path when it is missing.
[[nodiscard]] platform::ErrorCode WriteBinaryNumber(platform::Registry& registry,
                                                    const KeyPath& path,
                                                    std::wstring_view valueName,
                                                    std::int32_t number);

// Stores `text` with its terminating NUL as a string of this type (REG_SZ, or REG_EXPAND_SZ for
// a text whose %NAME%s are expanded when it is used), creating the key path when it is missing.
[[nodiscard]] platform::ErrorCode WriteString(platform::Registry& registry, const KeyPath& path,
                                              std::wstring_view valueName, std::wstring_view text,
                                              std::uint32_t type = platform::reg::kTypeSz);

// Reads a value whole: its type and its bytes. 2 when there is no such value (or key).
[[nodiscard]] platform::ErrorCode ReadValue(platform::Registry& registry, const KeyPath& path,
                                            std::wstring_view valueName, std::uint32_t& type,
                                            std::vector<std::byte>& data);

// Stores exactly these bytes with this type, creating the key path when it is missing: a value
// put back as it was read.
[[nodiscard]] platform::ErrorCode WriteValue(platform::Registry& registry, const KeyPath& path,
                                             std::wstring_view valueName, std::uint32_t type,
                                             std::span<const std::byte> data);

// Stores exactly these bytes as REG_BINARY, creating the key path when it is missing.
[[nodiscard]] platform::ErrorCode WriteBinary(platform::Registry& registry, const KeyPath& path,
                                              std::wstring_view valueName,
                                              std::span<const std::byte> data);

[[nodiscard]] platform::ErrorCode DeleteValue(platform::Registry& registry, const KeyPath& path,
                                              std::wstring_view valueName);

} // namespace registry
