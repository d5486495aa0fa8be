#pragma once

#include <cstdint>
#include <string_view>

namespace versioninfo {

// Why a version-resource load stopped, with the number and message the loader raises for it.
enum class VersionInfoFailure : std::uint8_t {
    ModuleHandle = 1,
    ModuleFileName = 2,
    NoFileName = 3,
    ResourceSize = 4,
    ResourceRead = 5,
    Translation = 6,
    FixedRecord = 7,
    // Anything else that went wrong during a load, such as a translation block too short.
    Other = 8,
};

struct VersionInfoError {
    VersionInfoFailure failure = VersionInfoFailure::Other;
    std::int32_t number = 0;
    std::wstring_view message;
};

// The numbered error for a failure, as the loader raises it (source "VersionInfo").
[[nodiscard]] VersionInfoError MakeVersionInfoError(VersionInfoFailure failure) noexcept;

} // namespace versioninfo
