#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace platform::portable {

// One file or folder name between Windows text and the host's own form: UTF-16 on Windows,
// UTF-8 bytes elsewhere. Decoding is lenient (a byte that is not UTF-8 becomes U+FFFD), so every
// host name has a text, and no two texts of valid names share a host name.
[[nodiscard]] std::filesystem::path ToHostName(std::wstring_view name);
[[nodiscard]] std::wstring FromHostName(const std::filesystem::path& name);

} // namespace platform::portable
