#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

namespace platform::portable {

// Turns a Windows-style file name into the host file that stands for it; nullopt when there is
// none.
using HostPathResolver = std::function<std::optional<std::filesystem::path>(std::wstring_view)>;

// The name itself, taken as a host path.
[[nodiscard]] HostPathResolver UnchangedHostPath();

} // namespace platform::portable
