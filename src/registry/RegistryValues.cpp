#include "RegistryValues.h"

#include "platform/Utf16.h"

#include <array>
#include <new>
#include <vector>

namespace registry {

using platform::KeyHandle;
using platform::OwnedKey;
using platform::RegResult;
namespace reg = platform::reg;

// Running out of memory on the way (while converting a text, say) ends an operation with this
// code, the key it held closed by its owner.
constexpr RegResult kOutOfMemory = reg::kNotEnoughMemory;

RegResult ReadBinaryNumber(platform::Registry& registry, const KeyPath& path,
                           std::wstring_view valueName, std::int32_t defaultValue,
                           std::int32_t& value)
{
    value = defaultValue;
    if (path.root == 0) {
        return kNoRoot;
    }
    KeyHandle handle = 0;
    RegResult result =
        registry.OpenKey(path.root, path.subKey, reg::kKeyQueryValue | path.view, handle);
    if (result != reg::kSuccess) {
        return result;
    }
    OwnedKey key = platform::Own(registry, handle);

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
    const RegResult closed = platform::Close(registry, key);
    return result != reg::kSuccess ? result : closed;
}

namespace {

RegResult SetValueCreatingKey(platform::Registry& registry, const KeyPath& path,
                              std::wstring_view valueName, std::uint32_t type,
                              std::span<const std::byte> data)
{
    KeyHandle handle = 0;
    RegResult result = registry.CreateKey(
        path.root, path.subKey, reg::kKeyCreateSubKey | reg::kKeySetValue | path.view, handle);
    if (result != reg::kSuccess) {
        return result;
    }
    OwnedKey key = platform::Own(registry, handle);
    result = registry.SetValue(key.get(), valueName, type, data);
    const RegResult closed = platform::Close(registry, key);
    return result != reg::kSuccess ? result : closed;
}

} // namespace

RegResult WriteBinaryNumber(platform::Registry& registry, const KeyPath& path,
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

RegResult WriteString(platform::Registry& registry, const KeyPath& path,
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

RegResult DeleteValue(platform::Registry& registry, const KeyPath& path,
                      std::wstring_view valueName)
{
    if (path.root == 0) {
        return kNoRoot;
    }
    KeyHandle handle = 0;
    RegResult result =
        registry.OpenKey(path.root, path.subKey, reg::kKeySetValue | path.view, handle);
    if (result != reg::kSuccess) {
        return result;
    }
    OwnedKey key = platform::Own(registry, handle);
    result = registry.DeleteValue(key.get(), valueName);
    (void)platform::Close(registry, key);
    return result;
}

} // namespace registry
