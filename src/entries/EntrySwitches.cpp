#include "EntrySwitches.h"

#include <algorithm>
#include <optional>
#include <tuple>
#include <vector>

namespace entries {
namespace {

namespace reg = platform::reg;

constexpr std::byte kOffBit{0x01};
constexpr platform::ErrorCode kNoSwitches = 50; // ERROR_NOT_SUPPORTED
constexpr std::size_t kTimeOffset = 4;

// The first byte of what was stored, when it was a switch at all.
std::optional<std::byte> FirstByte(std::uint32_t type, std::span<const std::byte> data) noexcept
{
    if (type != reg::kTypeBinary || data.empty()) {
        return std::nullopt;
    }
    return data.front();
}

bool IsOneOf(std::optional<std::byte> first, std::byte a, std::byte b) noexcept
{
    return first && (*first == a || *first == b);
}

} // namespace

SwitchState ParseSwitch(std::uint32_t type, std::span<const std::byte> data) noexcept
{
    SwitchState state;
    const std::optional<std::byte> first = FirstByte(type, data);
    state.switchedOff = first && (*first & kOffBit) == kOffBit;
    if (state.switchedOff && data.size() == std::tuple_size_v<SwitchBytes>) {
        for (std::size_t k = 0; k < 8; ++k) {
            state.switchedOffSince |= std::to_integer<std::uint64_t>(data[kTimeOffset + k])
                                      << (8 * k);
        }
    }
    return state;
}

SwitchBytes DisabledBytes(std::uint32_t oldType, std::span<const std::byte> old,
                          std::uint64_t now) noexcept
{
    const std::optional<std::byte> first = FirstByte(oldType, old);
    SwitchBytes bytes{};
    bytes[0] =
        IsOneOf(first, std::byte{0x02}, std::byte{0x06}) ? (*first | kOffBit) : std::byte{0x03};
    for (std::size_t k = 0; k < 8; ++k) {
        bytes[kTimeOffset + k] = static_cast<std::byte>((now >> (8 * k)) & 0xFFu);
    }
    return bytes;
}

SwitchBytes EnabledBytes(std::uint32_t oldType, std::span<const std::byte> old) noexcept
{
    const std::optional<std::byte> first = FirstByte(oldType, old);
    SwitchBytes bytes{};
    bytes[0] =
        IsOneOf(first, std::byte{0x03}, std::byte{0x07}) ? (*first & ~kOffBit) : std::byte{0x02};
    return bytes;
}

std::wstring_view SwitchNameOf(const StartupEntry& entry) noexcept
{
    if (!IsFolderScope(entry.scope)) {
        return entry.name;
    }
    const std::size_t slash = entry.filePath.find_last_of(L"\\/");
    return std::wstring_view(entry.filePath).substr(slash == std::wstring::npos ? 0 : slash + 1);
}

platform::ErrorCode ReadSwitches(platform::Registry& registry, Scope scope,
                                 std::span<StartupEntry> entries)
{
    const auto markUnread = [&](std::size_t from) {
        for (std::size_t index = from; index < entries.size(); ++index) {
            if (entries[index].scope == scope) {
                entries[index].switchUnreadable = true;
            }
        }
    };
    if (!HasSwitches(scope)) {
        return reg::kSuccess;
    }
    const registry::KeyPath path = SwitchKeyOf(scope);
    platform::KeyHandle handle = 0;
    const platform::ErrorCode opened =
        registry.OpenKey(path.root, path.subKey, reg::kKeyQueryValue | path.view, handle);
    if (opened == reg::kFileNotFound) {
        return reg::kSuccess;
    }
    if (opened != reg::kSuccess) {
        markUnread(0);
        return opened;
    }
    const platform::OwnedKey key = platform::Own(registry, handle);
    // Room for every switch Windows writes; a longer value is read in full below.
    std::array<std::byte, 16> small{};
    std::vector<std::byte> large;
    for (std::size_t index = 0; index < entries.size(); ++index) {
        StartupEntry& entry = entries[index];
        if (entry.scope != scope) {
            continue;
        }
        std::uint32_t type = 0;
        std::uint32_t size = small.size();
        platform::ErrorCode result =
            registry.QueryValue(key.get(), SwitchNameOf(entry), &type, small.data(), &size);
        std::span<const std::byte> data(small.data(), std::min<std::size_t>(size, small.size()));
        // A value this long is no switch Windows wrote, but is read whole all the same; it may
        // grow again between the two reads.
        while (result == reg::kMoreData) {
            large.resize(size);
            result =
                registry.QueryValue(key.get(), SwitchNameOf(entry), &type, large.data(), &size);
            data =
                std::span<const std::byte>(large.data(), std::min<std::size_t>(size, large.size()));
        }
        if (result == reg::kFileNotFound) {
            continue;
        }
        if (result != reg::kSuccess) {
            markUnread(index);
            return result;
        }
        const SwitchState state = ParseSwitch(type, data);
        entry.switchedOff = state.switchedOff;
        entry.switchedOffSince = state.switchedOffSince;
    }
    return reg::kSuccess;
}

platform::ErrorCode WriteSwitch(platform::Registry& registry, Scope scope, std::wstring_view name,
                                bool switchedOff, std::uint64_t now)
{
    if (!HasSwitches(scope)) {
        return kNoSwitches;
    }
    std::uint32_t oldType = reg::kTypeNone;
    std::vector<std::byte> old;
    const platform::ErrorCode read =
        registry::ReadValue(registry, SwitchKeyOf(scope), name, oldType, old);
    if (read == reg::kFileNotFound) {
        oldType = reg::kTypeNone;
        old.clear();
    } else if (read != reg::kSuccess) {
        return read;
    }
    const SwitchBytes bytes =
        switchedOff ? DisabledBytes(oldType, old, now) : EnabledBytes(oldType, old);
    return registry::WriteBinary(registry, SwitchKeyOf(scope), name, bytes);
}

platform::ErrorCode RemoveSwitch(platform::Registry& registry, Scope scope, std::wstring_view name)
{
    if (!HasSwitches(scope)) {
        return reg::kSuccess;
    }
    const platform::ErrorCode result = registry::DeleteValue(registry, SwitchKeyOf(scope), name);
    return result == reg::kFileNotFound ? reg::kSuccess : result;
}

} // namespace entries
