#pragma once

#include "ErrorCode.h"
#include "NulTerminated.h"
#include "UniqueHandle.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace platform {

// A predefined top-level key (hive), as its 32-bit handle value: 0x80000001 for the current user.
using RootKey = std::int32_t;
// An open key. 0 is never a valid key.
using KeyHandle = std::uintptr_t;

namespace reg {

inline constexpr ErrorCode kSuccess = 0;
inline constexpr ErrorCode kFileNotFound = 2;
inline constexpr ErrorCode kAccessDenied = 5;
inline constexpr ErrorCode kInvalidHandle = 6;
inline constexpr ErrorCode kNotEnoughMemory = 8;
inline constexpr ErrorCode kInvalidParameter = 87;
inline constexpr ErrorCode kMoreData = 234;
inline constexpr ErrorCode kNoMoreItems = 259;

inline constexpr RootKey kCurrentUser = static_cast<RootKey>(0x80000001u);
inline constexpr RootKey kLocalMachine = static_cast<RootKey>(0x80000002u);

inline constexpr std::uint32_t kTypeNone = 0;
inline constexpr std::uint32_t kTypeSz = 1;
inline constexpr std::uint32_t kTypeExpandSz = 2;
inline constexpr std::uint32_t kTypeBinary = 3;
inline constexpr std::uint32_t kTypeDword = 4;

inline constexpr std::uint32_t kKeyQueryValue = 0x0001;
inline constexpr std::uint32_t kKeySetValue = 0x0002;
inline constexpr std::uint32_t kKeyCreateSubKey = 0x0004;
// Access flags that choose a view of HKEY_LOCAL_MACHINE\SOFTWARE on 64-bit Windows: the 64-bit
// programs' keys, or the 32-bit programs' keys (stored under SOFTWARE\WOW6432Node). Neither means
// the process's own view; both together are refused with 87. Keys shared by the views, such as
// everything under HKEY_CURRENT_USER\SOFTWARE, are the same key in both.
inline constexpr std::uint32_t kView64Bit = 0x0100;
inline constexpr std::uint32_t kView32Bit = 0x0200;

// The longest value name the registry holds; a buffer one longer always fits a name and its NUL.
inline constexpr std::uint32_t kMaxValueNameChars = 16383;

} // namespace reg

// The registry functions the tool uses, with the inputs and result codes of their Windows
// counterparts (RegOpenKeyExW and the rest). Strings are UTF-16 on Windows; value data is raw
// bytes, REG_SZ data being UTF-16LE text, normally with its NUL.
class Registry {
public:
    virtual ~Registry() = default;

    // Opens root\subKey with the given access rights, in the view the access flags choose; an
    // empty subKey opens the root itself.
    [[nodiscard]] virtual ErrorCode OpenKey(RootKey root, const NulTerminated& subKey,
                                            std::uint32_t access, KeyHandle& key) noexcept = 0;

    // Opens root\subKey in the view the access flags choose, creating every missing key along the
    // path (non-volatile, default security).
    [[nodiscard]] virtual ErrorCode CreateKey(RootKey root, const NulTerminated& subKey,
                                              std::uint32_t access, KeyHandle& key) noexcept = 0;

    // The value at `index`: its name goes into `name` (whose size is the capacity in characters,
    // the NUL included) and its length, NUL excluded, into `nameLength`; its type into `type`; its
    // data into `data` (whose size is the room) and the data's size in bytes into `dataSize`. With
    // `data` empty only the size is reported. 259 past the last value; 234 when the name does not
    // fit, with nothing written, or when the data does not fit, with the type and the needed size
    // set. A name is counted: it may hold NULs, which the registry allows and keeps.
    [[nodiscard]] virtual ErrorCode EnumValue(KeyHandle key, std::uint32_t index,
                                              std::span<wchar_t> name, std::uint32_t& nameLength,
                                              std::uint32_t& type, std::span<std::byte> data,
                                              std::uint32_t& dataSize) noexcept = 0;

    // Value names below are counted, the whole view, NULs included: a name that holds a NUL is
    // another value than the name cut at it.

    // A value's type and data. With `data` null only the size is reported. When *dataSize is too
    // small: 234, the needed size and the type are set and nothing is written.
    [[nodiscard]] virtual ErrorCode QueryValue(KeyHandle key, std::wstring_view name,
                                               std::uint32_t* type, std::byte* data,
                                               std::uint32_t* dataSize) noexcept = 0;

    // Stores exactly these bytes with this type, replacing a value of the same name.
    [[nodiscard]] virtual ErrorCode SetValue(KeyHandle key, std::wstring_view name,
                                             std::uint32_t type,
                                             std::span<const std::byte> data) noexcept = 0;

    [[nodiscard]] virtual ErrorCode DeleteValue(KeyHandle key, std::wstring_view name) noexcept = 0;

    [[nodiscard]] virtual ErrorCode CloseKey(KeyHandle key) noexcept = 0;

    // When the key was last written (RegQueryInfoKeyW's last-write time, a FILETIME): a value set
    // or deleted, a subkey made or deleted, changes it. Compared, never shown.
    [[nodiscard]] virtual ErrorCode QueryWriteTime(KeyHandle key,
                                                   std::uint64_t& lastWrite) noexcept = 0;
};

struct RegistryKeyTraits {
    using pointer = KeyHandle;
    Registry* registry = nullptr;

    static constexpr KeyHandle Invalid() noexcept { return 0; }
    void Close(KeyHandle key) const noexcept
    {
        if (registry != nullptr) {
            (void)registry->CloseKey(key);
        }
    }
};

// An open key that is closed when it goes out of scope, on every path.
using OwnedKey = UniqueHandle<RegistryKeyTraits>;

inline OwnedKey Own(Registry& registry, KeyHandle key) noexcept
{
    return OwnedKey(key, RegistryKeyTraits{&registry});
}

// Closes the key now and reports how that went; the key is empty afterwards.
[[nodiscard]] inline ErrorCode Close(Registry& registry, OwnedKey& key) noexcept
{
    return registry.CloseKey(key.release());
}

} // namespace platform
