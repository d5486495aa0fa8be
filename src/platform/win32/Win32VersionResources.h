#pragma once

#include "SystemLibrary.h"
#include "platform/VersionResources.h"

#include <windows.h>

namespace platform::win32 {

// The version functions of Windows (version.dll and kernel32). version.dll is loaded from the
// system folder when the object is made, and its functions are looked up then, once: afterwards
// the object only reads them, so any thread may call it, as many at once as like. When the
// library or one of its functions cannot be had, the program cannot start (StartFailure).
class Win32VersionResources final : public VersionResources {
public:
    Win32VersionResources();

    ModuleHandle ModuleHandleOf(const platform::NulTerminated& moduleName) noexcept override;
    ModuleHandle RunningModule() noexcept override;
    std::uint32_t ModuleFileName(ModuleHandle module, std::span<wchar_t> buffer) noexcept override;
    std::uint32_t VersionResourceSize(const platform::NulTerminated& fileName) noexcept override;
    bool ReadVersionResource(const platform::NulTerminated& fileName,
                             std::span<std::byte> data) noexcept override;
    bool QueryVersionValue(std::span<const std::byte> data, const platform::NulTerminated& subBlock,
                           VersionValue& value) noexcept override;

private:
    using SizeFunction = DWORD(WINAPI*)(LPCWSTR, LPDWORD);
    using ReadFunction = BOOL(WINAPI*)(LPCWSTR, DWORD, DWORD, LPVOID);
    using QueryFunction = BOOL(WINAPI*)(LPCVOID, LPCWSTR, LPVOID*, PUINT);

    SystemLibrary library_;
    SizeFunction resourceSize_;
    ReadFunction readResource_;
    QueryFunction queryValue_;
};

} // namespace platform::win32
