#pragma once

#include "NativeValueCalls.h"
#include "platform/Registry.h"

namespace platform::win32 {

// The registry through the wide Reg*W functions of advapi32, and ntdll's value calls for reading,
// writing and deleting a value by its counted name. A 64-bit build sees the 64-bit view of
// HKEY_LOCAL_MACHINE\SOFTWARE when no KEY_WOW64_* flag is passed. Values are reached through keys
// this object opened: the predefined keys themselves are no handles ntdll knows.
class Win32Registry final : public Registry {
public:
    ErrorCode OpenKey(RootKey root, const NulTerminated& subKey, std::uint32_t access,
                      KeyHandle& key) noexcept override;
    ErrorCode CreateKey(RootKey root, const NulTerminated& subKey, std::uint32_t access,
                        KeyHandle& key) noexcept override;
    ErrorCode EnumValue(KeyHandle key, std::uint32_t index, std::span<wchar_t> name,
                        std::uint32_t& nameLength, std::uint32_t& type, std::span<std::byte> data,
                        std::uint32_t& dataSize) noexcept override;
    ErrorCode QueryValue(KeyHandle key, std::wstring_view name, std::uint32_t* type,
                         std::byte* data, std::uint32_t* dataSize) noexcept override;
    ErrorCode SetValue(KeyHandle key, std::wstring_view name, std::uint32_t type,
                       std::span<const std::byte> data) noexcept override;
    ErrorCode DeleteValue(KeyHandle key, std::wstring_view name) noexcept override;
    ErrorCode CloseKey(KeyHandle key) noexcept override;
    ErrorCode QueryWriteTime(KeyHandle key, std::uint64_t& lastWrite) noexcept override;

private:
    NativeValueCalls values_;
};

} // namespace platform::win32
