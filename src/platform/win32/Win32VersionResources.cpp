#include "Win32VersionResources.h"

#include <windows.h>

#include <limits>
#include <new>
#include <string>

namespace platform::win32 {

Win32VersionResources::Win32VersionResources()
    : library_(L"version.dll"),
      resourceSize_(library_.Require<SizeFunction>("GetFileVersionInfoSizeW")),
      readResource_(library_.Require<ReadFunction>("GetFileVersionInfoW")),
      queryValue_(library_.Require<QueryFunction>("VerQueryValueW"))
{
}

ModuleHandle Win32VersionResources::ModuleHandleOf(std::wstring_view moduleName) noexcept
{
    try {
        const std::wstring name(moduleName);
        return reinterpret_cast<ModuleHandle>(GetModuleHandleW(name.c_str()));
    } catch (const std::bad_alloc&) {
        return 0;
    }
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

std::uint32_t Win32VersionResources::VersionResourceSize(std::wstring_view fileName) noexcept
{
    try {
        const std::wstring name(fileName);
        DWORD ignored = 0;
        return resourceSize_(name.c_str(), &ignored);
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

bool Win32VersionResources::ReadVersionResource(std::wstring_view fileName,
                                                std::span<std::byte> data) noexcept
{
    if (data.empty() ||
        data.size() > std::numeric_limits<DWORD>::max()) {
        return false;
    }
    try {
        const std::wstring name(fileName);
        return readResource_(name.c_str(), 0, static_cast<DWORD>(data.size()), data.data()) !=
               FALSE;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool Win32VersionResources::QueryVersionValue(std::span<const std::byte> data,
                                              std::wstring_view subBlock,
                                              VersionValue& value) noexcept
{
    value = {};
    if (data.empty()) {
        return false;
    }
    try {
        const std::wstring path(subBlock);
        void* found = nullptr;
        UINT length = 0;
        if (queryValue_(data.data(), path.c_str(), &found, &length) == FALSE) {
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
    } catch (const std::bad_alloc&) {
        return false;
    }
}

} // namespace platform::win32
