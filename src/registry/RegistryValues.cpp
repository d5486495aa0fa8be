#include "RegistryValues.h"

#include "platform/Utf16.h"

#include <array>
#include <new>
#include <vector>

namespace registry {

using platform::ErrorCode;
using platform::KeyHandle;
using platform::OwnedKey;
namespace reg = platform::reg;

// Running out of memory on the way (while converting a text, say) ends an operation with this
// code, the key it held closed by its owner.
constexpr ErrorCode kOutOfMemory = reg::kNotEnoughMemory;

namespace {

// Opens the key at the path, in its view, with these rights.
ErrorCode OpenAt(platform::Registry& registry, const KeyPath& path, std::uint32_t access,
                 OwnedKey& key)
{
    KeyHandle handle = 0;
    const ErrorCode result = registry.OpenKey(path.root, path.subKey, access | path.view, handle);
    if (result == reg::kSuccess) {
        key = platform::Own(registry, handle);
    }
    return result;
}

} // namespace

ErrorCode ReadBinaryNumber(platform::Registry& registry, const KeyPath& path,
                           std::wstring_view valueName, std::int32_t defaultValue,
                           std::int32_t& value)
{
    value = defaultValue;
    if (path.root == 0) {
        return kNoRoot;
    }
    OwnedKey key;
    ErrorCode result = OpenAt(registry, path, reg::kKeyQueryValue, key);
    if (result != reg::kSuccess) {
        return result;
    }

    // A 2-byte window onto the value's low-order bytes: what the query does not write keeps the
    // default's bytes.
    const auto bits = static_cast<std::uint32_t>(defaultValue);
    std::array<std::byte, 2> window{static_cast<std::byte>(bits & 0xFFu),
                                    static_cast<std::byte>((bits >> 8) & 0xFFu)};
    std::uint32_t type = 0;
    std::uint32_t size = static_cast<std::uint32_t>(window.size());
    result = registry.QueryValue(key.get(), valueName, &type, window.data(), &size);
    if (result == reg::kSuccess) {
        const std::uint32_t low =
            static_cast<std::uint32_t>(window[0]) | (static_cast<std::uint32_t>(window[1]) << 8);
        value = static_cast<std::int32_t>((bits & 0xFFFF0000u) | low);
    }
    const ErrorCode closed = platform::Close(registry, key);
    return result != reg::kSuccess ? result : closed;
}

namespace {

ErrorCode SetValueCreatingKey(platform::Registry& registry, const KeyPath& path,
                              std::wstring_view valueName, std::uint32_t type,
                              std::span<const std::byte> data)
{
    KeyHandle handle = 0;
    ErrorCode result = registry.CreateKey(
        path.root, path.subKey, reg::kKeyCreateSubKey | reg::kKeySetValue | path.view, handle);
    if (result != reg::kSuccess) {
        return result;
    }
    OwnedKey key = platform::Own(registry, handle);
    result = registry.SetValue(key.get(), valueName, type, data);
    const ErrorCode closed = platform::Close(registry, key);
    return result != reg::kSuccess ? result : closed;
}

} // namespace

ErrorCode WriteBinaryNumber(platform::Registry& registry, const KeyPath& path,
                            std::wstring_view valueName, std::int32_t number)
{
    if (path.root == 0) {
        return kNoRoot;
    }
    const auto bits = static_cast<std::uint32_t>(number);
    const std::array<std::byte, 2> data{static_cast<std::byte>(bits & 0xFFu),
                                        static_cast<std::byte>((bits >> 8) & 0xFFu)};
    return SetValueCreatingKey(registry, path, valueName, reg::kTypeBinary, data);
}

ErrorCode WriteString(platform::Registry& registry, const KeyPath& path,
                      std::wstring_view valueName, std::wstring_view text, std::uint32_t type)
{
    if (path.root == 0) {
        return kNoRoot;
    }
    try {
        std::vector<std::byte> data = platform::ToUtf16Le(text);
        data.resize(data.size() + 2); // the terminating NUL, two bytes wide
        return SetValueCreatingKey(registry, path, valueName, type, data);
    } catch (const std::bad_alloc&) {
        return kOutOfMemory;
    }
}

ErrorCode ReadValue(platform::Registry& registry, const KeyPath& path, std::wstring_view valueName,
                    std::uint32_t& type, std::vector<std::byte>& data)
{
    if (path.root == 0) {
        return kNoRoot;
    }
    OwnedKey key;
    ErrorCode result = OpenAt(registry, path, reg::kKeyQueryValue, key);
    if (result != reg::kSuccess) {
        return result;
    }
    try {
        // The value can grow between the two calls; ask again until it fits.
        std::uint32_t size = 0;
        result = registry.QueryValue(key.get(), valueName, &type, nullptr, &size);
        while (result == reg::kSuccess) {
            data.resize(size);
            result = registry.QueryValue(key.get(), valueName, &type, data.data(), &size);
            if (result == reg::kSuccess) {
                data.resize(size);
                break;
            }
            if (result == reg::kMoreData) {
                result = reg::kSuccess;
            }
        }
    } catch (const std::bad_alloc&) {
        result = kOutOfMemory;
    }
    const ErrorCode closed = platform::Close(registry, key);
    return result != reg::kSuccess ? result : closed;
}

ErrorCode WriteValue(platform::Registry& registry, const KeyPath& path, std::wstring_view valueName,
                     std::uint32_t type, std::span<const std::byte> data)
{
    if (path.root == 0) {
        return kNoRoot;
    }
    return SetValueCreatingKey(registry, path, valueName, type, data);
}

ErrorCode WriteBinary(platform::Registry& registry, const KeyPath& path,
                      std::wstring_view valueName, std::span<const std::byte> data)
{
    if (path.root == 0) {
        return kNoRoot;
    }
    return SetValueCreatingKey(registry, path, valueName, reg::kTypeBinary, data);
}

ErrorCode DeleteValue(platform::Registry& registry, const KeyPath& path,
                      std::wstring_view valueName)
{
    if (path.root == 0) {
        return kNoRoot;
    }
    OwnedKey key;
    ErrorCode result = OpenAt(registry, path, reg::kKeySetValue, key);
    if (result != reg::kSuccess) {
        return result;
    }
    result = registry.DeleteValue(key.get(), valueName);
    (void)platform::Close(registry, key);
    return result;
}

} // namespace registry
