#pragma once

#include "ForwardingRegistry.h"

#include <functional>

namespace tolvan::test {

// Another registry, except that one call of one kind (the nth open, enumeration or query from now
// on) fails with a code; or, with `before` set, runs it just before that call is passed on (to
// delete the value it is about to read, say).
class FaultyRegistry final : public ForwardingRegistry {
public:
    enum class Call : std::uint8_t { Open, Enumerate, Query };

    FaultyRegistry(platform::Registry& inner, Call call, int nth, platform::ErrorCode code)
        : ForwardingRegistry(inner), call_(call), left_(nth), code_(code)
    {
    }

    std::function<void()> before;

    platform::ErrorCode OpenKey(platform::RootKey root, const platform::NulTerminated& subKey,
                                std::uint32_t access, platform::KeyHandle& key) noexcept override
    {
        return Faulted(Call::Open) ? code_ : ForwardingRegistry::OpenKey(root, subKey, access, key);
    }
    platform::ErrorCode EnumValue(platform::KeyHandle key, std::uint32_t index,
                                  std::span<wchar_t> name, std::uint32_t& length,
                                  std::uint32_t& type, std::span<std::byte> data,
                                  std::uint32_t& size) noexcept override
    {
        return Faulted(Call::Enumerate)
                   ? code_
                   : ForwardingRegistry::EnumValue(key, index, name, length, type, data, size);
    }
    platform::ErrorCode QueryValue(platform::KeyHandle key, std::wstring_view name,
                                   std::uint32_t* type, std::byte* data,
                                   std::uint32_t* size) noexcept override
    {
        return Faulted(Call::Query) ? code_
                                    : ForwardingRegistry::QueryValue(key, name, type, data, size);
    }

private:
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

    Call call_;
    int left_;
    platform::ErrorCode code_;
};

} // namespace tolvan::test
