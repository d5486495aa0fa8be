#include "Win32Registry.h"

#include <windows.h>

#include <string>

namespace platform::win32 {
namespace {

// Predefined keys are 32-bit values sign-extended into a handle (HKEY_CURRENT_USER is
// 0xFFFFFFFF80000001 in a 64-bit process).
HKEY ToHkey(RootKey root) noexcept
{
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG_PTR>(root)));
}

HKEY ToHkey(KeyHandle key) noexcept
{
    return reinterpret_cast<HKEY>(key);
}

KeyHandle FromHkey(HKEY key) noexcept
{
    return reinterpret_cast<KeyHandle>(key);
}

static_assert(reg::kView64Bit == KEY_WOW64_64KEY && reg::kView32Bit == KEY_WOW64_32KEY);
static_assert(reg::kKeyQueryValue == KEY_QUERY_VALUE && reg::kKeySetValue == KEY_SET_VALUE &&
              reg::kKeyCreateSubKey == KEY_CREATE_SUB_KEY);

// Windows refuses a request for both views with ERROR_INVALID_PARAMETER; Wine opens the key
// anyway. Refused here, so that the tool sees Windows' answer on both.
bool AsksForBothViews(std::uint32_t access) noexcept
{
    return (access & KEY_WOW64_32KEY) != 0 && (access & KEY_WOW64_64KEY) != 0;
}

} // namespace

ErrorCode Win32Registry::OpenKey(RootKey root, const NulTerminated& subKey, std::uint32_t access,
                                 KeyHandle& key) noexcept
{
    if (AsksForBothViews(access)) {
        return ERROR_INVALID_PARAMETER;
    }
    HKEY opened = nullptr;
    const LSTATUS rc = RegOpenKeyExW(ToHkey(root), subKey.CString(), 0, access, &opened);
    if (rc == ERROR_SUCCESS) {
        key = FromHkey(opened);
    }
    return rc;
}

ErrorCode Win32Registry::CreateKey(RootKey root, const NulTerminated& subKey, std::uint32_t access,
                                   KeyHandle& key) noexcept
{
    if (AsksForBothViews(access)) {
        return ERROR_INVALID_PARAMETER;
    }
    SECURITY_ATTRIBUTES security{};
    security.nLength = sizeof(security);
    wchar_t emptyClass[] = L"";
    HKEY created = nullptr;
    const LSTATUS rc =
        RegCreateKeyExW(ToHkey(root), subKey.CString(), 0, emptyClass, REG_OPTION_NON_VOLATILE,
                        access, &security, &created, nullptr);
    if (rc == ERROR_SUCCESS) {
        key = FromHkey(created);
    }
    return rc;
}

ErrorCode Win32Registry::EnumValue(KeyHandle key, std::uint32_t index, std::span<wchar_t> name,
                                   std::uint32_t& nameLength, std::uint32_t& type,
                                   std::span<std::byte> data, std::uint32_t& dataSize) noexcept
{
    // RegEnumValueW hands over the name as the registry counts it, NULs included.
    DWORD length = static_cast<DWORD>(name.size());
    DWORD valueType = 0;
    DWORD size = static_cast<DWORD>(data.size());
    const LSTATUS rc =
        RegEnumValueW(ToHkey(key), index, name.data(), &length, nullptr, &valueType,
                      data.empty() ? nullptr : reinterpret_cast<BYTE*>(data.data()), &size);
    if (rc == ERROR_SUCCESS) {
        nameLength = length;
    }
    if (rc == ERROR_SUCCESS || (rc == ERROR_MORE_DATA && !data.empty() && size > data.size())) {
        type = valueType;
        dataSize = size;
    }
    return rc;
}

ErrorCode Win32Registry::QueryValue(KeyHandle key, std::wstring_view name, std::uint32_t* type,
                                    std::byte* data, std::uint32_t* dataSize) noexcept
{
    return values_.Query(ToHkey(key), name, type, data, dataSize);
}

ErrorCode Win32Registry::SetValue(KeyHandle key, std::wstring_view name, std::uint32_t type,
                                  std::span<const std::byte> data) noexcept
{
    return values_.Set(ToHkey(key), name, type, data);
}

ErrorCode Win32Registry::DeleteValue(KeyHandle key, std::wstring_view name) noexcept
{
    return values_.Delete(ToHkey(key), name);
}

ErrorCode Win32Registry::CloseKey(KeyHandle key) noexcept
{
    return RegCloseKey(ToHkey(key));
}

ErrorCode Win32Registry::QueryWriteTime(KeyHandle key, std::uint64_t& lastWrite) noexcept
{
    FILETIME written{};
    const LSTATUS result =
        RegQueryInfoKeyW(ToHkey(key), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr, &written);
    lastWrite = (static_cast<std::uint64_t>(written.dwHighDateTime) << 32U) | written.dwLowDateTime;
    return result;
}

} // namespace platform::win32
