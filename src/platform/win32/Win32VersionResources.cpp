#include "Win32VersionResources.h"

namespace platform::win32 {

ModuleHandle Win32VersionResources::ModuleHandleOf(std::wstring_view) noexcept
{
    return 0;
}

std::uint32_t Win32VersionResources::ModuleFileName(ModuleHandle, std::span<wchar_t>) noexcept
{
    return 0;
}

std::uint32_t Win32VersionResources::VersionResourceSize(std::wstring_view) noexcept
{
    return 0;
}

bool Win32VersionResources::ReadVersionResource(std::wstring_view, std::span<std::byte>) noexcept
{
    return false;
}

bool Win32VersionResources::QueryVersionValue(std::span<const std::byte>, std::wstring_view,
                                              VersionValue& value) noexcept
{
    value = {};
    return false;
}

} // namespace platform::win32
