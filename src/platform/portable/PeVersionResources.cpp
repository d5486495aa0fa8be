#include "PeVersionResources.h"

namespace platform::portable {

PeVersionResources::PeVersionResources(HostPathResolver resolver) : resolver_(std::move(resolver))
{
}

void PeVersionResources::SetModule(std::wstring_view moduleName, std::wstring_view fileName)
{
    modules_.push_back({std::wstring(moduleName), std::wstring(fileName)});
}

ModuleHandle PeVersionResources::ModuleHandleOf(std::wstring_view) noexcept
{
    return 0;
}

std::uint32_t PeVersionResources::ModuleFileName(ModuleHandle, std::span<wchar_t>) noexcept
{
    return 0;
}

std::uint32_t PeVersionResources::VersionResourceSize(std::wstring_view) noexcept
{
    return 0;
}

bool PeVersionResources::ReadVersionResource(std::wstring_view, std::span<std::byte>) noexcept
{
    return false;
}

bool PeVersionResources::QueryVersionValue(std::span<const std::byte>, std::wstring_view,
                                           VersionValue& value) noexcept
{
    value = {};
    return false;
}

std::vector<std::byte> PeVersionResources::LoadResource(std::wstring_view) const noexcept
{
    return {};
}

} // namespace platform::portable
