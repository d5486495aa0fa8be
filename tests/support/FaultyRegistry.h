#pragma once

#include "platform/Registry.h"

#include <functional>

namespace tolvan::test {

// Forwards to another registry, except that one call of one kind (the nth open, enumeration or
// query from now on) fails with a code; or, with `before` set, runs it just before that call is
// forwarded (to delete the value it is about to read, say).
class FaultyRegistry final : public platform::Registry {
public:
    enum class Call : std::uint8_t { Open, Enumerate, Query };

    FaultyRegistry(platform::Registry& inner, Call call, int nth, platform::RegResult code)
        : inner_(inner), call_(call), left_(nth), code_(code)
    {
    }

    std::function<void()> before;

    platform::RegResult OpenKey(platform::RootKey root, std::wstring_view subKey,
                                std::uint32_t access, platform::KeyHandle& key) noexcept override
    {
        return Faulted(Call::Open) ? code_ : inner_.OpenKey(root, subKey, access, key);
    }
    platform::RegResult CreateKey(platform::RootKey root, std::wstring_view subKey,
                                  std::uint32_t access, platform::KeyHandle& key) noexcept override
    {
        return inner_.CreateKey(root, subKey, access, key);
    }
    platform::RegResult EnumValue(platform::KeyHandle key, std::uint32_t index,
                                  std::span<wchar_t> name, std::uint32_t& nameLength,
                                  std::uint32_t& type, std::uint32_t& dataSize) noexcept override
    {
        return Faulted(Call::Enumerate)
                   ? code_
                   : inner_.EnumValue(key, index, name, nameLength, type, dataSize);
    }
    platform::RegResult QueryValue(platform::KeyHandle key, std::wstring_view name,
                                   std::uint32_t* type, std::byte* data,
                                   std::uint32_t* dataSize) noexcept override
    {
        return Faulted(Call::Query) ? code_ : inner_.QueryValue(key, name, type, data, dataSize);
    }
    platform::RegResult SetValue(platform::KeyHandle key, std::wstring_view name,
                                 std::uint32_t type,
                                 std::span<const std::byte> data) noexcept override
    {
        return inner_.SetValue(key, name, type, data);
    }
    platform::RegResult DeleteValue(platform::KeyHandle key,
                                    std::wstring_view name) noexcept override
    {
        return inner_.DeleteValue(key, name);
    }
    platform::RegResult CloseKey(platform::KeyHandle key) noexcept override
    {
        return inner_.CloseKey(key);
    }
    platform::RegResult QueryWriteTime(platform::KeyHandle key,
                                       std::uint64_t& lastWrite) noexcept override
    {
        return inner_.QueryWriteTime(key, lastWrite);
    }

private:
    // Whether this call is the one to fail; with `before` set, that runs instead and the call
    // goes through.
    bool Faulted(Call call) noexcept
    {
        if (call != call_ || left_ <= 0 || --left_ > 0) {
            return false;
        }
        if (before) {
            before();
            return false;
        }
        return true;
    }

    platform::Registry& inner_;
    Call call_;
    int left_;
    platform::RegResult code_;
};

} // namespace tolvan::test
