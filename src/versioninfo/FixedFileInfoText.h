#pragma once

#include <cstdint>
#include <string>

namespace versioninfo {

// The short English texts for the codes of a fixed version record.

// "Debug ", "Patched ", "Pre-release ", "Private ", "Special " for the bits set, in that order,
// each with its trailing blank.
[[nodiscard]] std::wstring FileFlagsText(std::uint32_t flags);
// The interface ("Win32 API") and then the system (" on Windows NT").
[[nodiscard]] std::wstring FileOSText(std::uint32_t fileOS);
[[nodiscard]] std::wstring FileTypeText(std::uint32_t fileType);
// The subtype's meaning depends on the file type: drivers, fonts and virtual devices have one.
[[nodiscard]] std::wstring FileSubTypeText(std::uint32_t fileType, std::uint32_t fileSubtype);

} // namespace versioninfo
