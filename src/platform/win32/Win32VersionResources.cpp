#include "Win32VersionResources.h"

#include <windows.h>

#include <limits>
#include <string>

namespace platform::win32 {

Win32VersionResources::Win32VersionResources()
    : library_(L"version.dll"),
      resourceSize_(library_.Require<SizeFunction>("GetFileVersionInfoSizeW")),
      readResource_(library_.Require<ReadFunction>("GetFileVersionInfoW")),
      queryValue_(library_.Require<QueryFunction>("VerQueryValueW"))
{
}

ModuleHandle
Win32VersionResources::ModuleHandleOf(const platform::NulTerminated& moduleName) noexcept
{
    return reinterpret_cast<ModuleHandle>(GetModuleHandleW(moduleName.CString()));
}

ModuleHandle Win32VersionResources::RunningModule() noexcept
{
    return reinterpret_cast<ModuleHandle>(GetModuleHandleW(nullptr));
}

std::uint32_t Win32VersionResources::ModuleFileName(ModuleHandle module,
                                                    std::span<wchar_t> buffer) noexcept
{
    // A null handle would name the program itself; here 0 means "no module".
    if (module == 0 || buffer.empty()) {
        return 0;
    }
    const DWORD capacity =
        static_cast<DWORD>(std::min<std::size_t>(buffer.size(), std::numeric_limits<DWORD>::max()));
    return GetModuleFileNameW(reinterpret_cast<HMODULE>(module), buffer.data(), capacity);
}

std::uint32_t
Win32VersionResources::VersionResourceSize(const platform::NulTerminated& fileName) noexcept
{
    DWORD ignored = 0;
    return resourceSize_(fileName.CString(), &ignored);
}

bool Win32VersionResources::ReadVersionResource(const platform::NulTerminated& fileName,
                                                std::span<std::byte> data) noexcept
{
    if (data.empty() || data.size() > std::numeric_limits<DWORD>::max()) {
        return false;
    }
    return readResource_(fileName.CString(), 0, static_cast<DWORD>(data.size()), data.data()) !=
           FALSE;
}

bool Win32VersionResources::QueryVersionValue(std::span<const std::byte> data,
                                              const platform::NulTerminated& subBlock,
                                              VersionValue& value) noexcept
{
    value = {};
    if (data.empty()) {
        return false;
    }
    void* found = nullptr;
    UINT length = 0;
    if (queryValue_(data.data(), subBlock.CString(), &found, &length) == FALSE) {
        return false;
    }
    value.length = length;
    // Windows points into the block it was given; what lies behind the value is readable up
    // to the block's end.
    const auto* at = static_cast<const std::byte*>(found);
    if (at >= data.data() && at <= data.data() + data.size()) {
        value.bytes = data.subspan(static_cast<std::size_t>(at - data.data()));
    }
    return true;
}

} // namespace platform::win32
