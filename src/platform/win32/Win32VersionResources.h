#pragma once

#include "platform/VersionResources.h"

namespace platform::win32 {

// The version functions of Windows (version.dll and kernel32).
class Win32VersionResources final : public VersionResources {
public:
    ModuleHandle ModuleHandleOf(std::wstring_view moduleName) noexcept override;
    ModuleHandle RunningModule() noexcept override;
    std::uint32_t ModuleFileName(ModuleHandle module, std::span<wchar_t> buffer) noexcept override;
    std::uint32_t VersionResourceSize(std::wstring_view fileName) noexcept override;
    bool ReadVersionResource(std::wstring_view fileName,
                             std::span<std::byte> data) noexcept override;
    bool QueryVersionValue(std::span<const std::byte> data, std::wstring_view subBlock,
                           VersionValue& value) noexcept override;
};

} // namespace platform::win32
