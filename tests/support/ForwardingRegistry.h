#pragma once

#include "platform/Registry.h"

namespace tolvan::test {

// Passes every call on to another registry; test decorators override the calls they change.
class ForwardingRegistry : public platform::Registry {
public:
    explicit ForwardingRegistry(platform::Registry& inner) noexcept : inner_(inner) {}

    platform::ErrorCode OpenKey(platform::RootKey root, const platform::NulTerminated& subKey,
                                std::uint32_t access, platform::KeyHandle& key) noexcept override
    {
        return inner_.OpenKey(root, subKey, access, key);
    }
    platform::ErrorCode CreateKey(platform::RootKey root, const platform::NulTerminated& subKey,
                                  std::uint32_t access, platform::KeyHandle& key) noexcept override
    {
        return inner_.CreateKey(root, subKey, access, key);
    }
    platform::ErrorCode EnumValue(platform::KeyHandle key, std::uint32_t index,
                                  std::span<wchar_t> name, std::uint32_t& nameLength,
                                  std::uint32_t& type, std::span<std::byte> data,
                                  std::uint32_t& dataSize) noexcept override
    {
        return inner_.EnumValue(key, index, name, nameLength, type, data, dataSize);
    }
    platform::ErrorCode QueryValue(platform::KeyHandle key, std::wstring_view name,
                                   std::uint32_t* type, std::byte* data,
                                   std::uint32_t* dataSize) noexcept override
    {
        return inner_.QueryValue(key, name, type, data, dataSize);
    }
    platform::ErrorCode SetValue(platform::KeyHandle key, std::wstring_view name,
                                 std::uint32_t type,
                                 std::span<const std::byte> data) noexcept override
    {
        return inner_.SetValue(key, name, type, data);
    }
    platform::ErrorCode DeleteValue(platform::KeyHandle key,
                                    std::wstring_view name) noexcept override
    {
        return inner_.DeleteValue(key, name);
    }
    platform::ErrorCode CloseKey(platform::KeyHandle key) noexcept override
    {
        return inner_.CloseKey(key);
    }
    platform::ErrorCode QueryWriteTime(platform::KeyHandle key,
                                       std::uint64_t& lastWrite) noexcept override
    {
        return inner_.QueryWriteTime(key, lastWrite);
    }

private:
    platform::Registry& inner_;
};

} // namespace tolvan::test
