#include "RunKeys.h"

#include "platform/Utf16.h"

#include <cstddef>
#include <span>
#include <string>
#include <unordered_set>

namespace entries {
namespace {

using platform::ErrorCode;
namespace reg = platform::reg;

// Room for the data of any ordinary command line at the first try.
constexpr std::size_t kFirstDataRoom = 2048;

// The value types Windows runs at logon.
bool IsCommandType(std::uint32_t type) noexcept
{
    return type == reg::kTypeSz || type == reg::kTypeExpandSz;
}

// The command a value's data holds. The stored size counts the terminator; data stored without
// one is taken whole.
std::wstring CommandOf(std::span<const std::byte> data)
{
    std::wstring command = platform::FromUtf16Le(data);
    if (!command.empty() && command.back() == L'\0') {
        command.pop_back();
    }
    return command;
}

// Reads the values of an open Run key into `entries`, up to the end of the key or the first call
// that fails. Each value's data comes with its name from the same enumeration, as Windows reads
// them at logon: a name is counted and may hold a NUL, and looking it up again by a name cut at
// that NUL would find another value, or none.
ErrorCode ReadValues(platform::Registry& registry, platform::KeyHandle key, Scope scope,
                     std::vector<StartupEntry>& entries)
{
    // Room for the longest name the registry allows, so that no value can hide the ones after it
    // behind a long name.
    std::vector<wchar_t> nameBuffer(reg::kMaxValueNameChars + 1);
    // Grows to the largest value read: a value that does not fit, or grew since it was sized, is
    // read again at its place.
    std::vector<std::byte> dataBuffer(kFirstDataRoom);
    // A value deleted while the key is read moves the ones after it up a place; one added may
    // move a value read already down. Each name is listed once.
    std::unordered_set<std::wstring> listedNames;
    for (std::uint32_t index = 0;;) {
        std::uint32_t nameLength = 0;
        std::uint32_t type = 0;
        std::uint32_t dataSize = 0;
        const ErrorCode listed =
            registry.EnumValue(key, index, nameBuffer, nameLength, type, dataBuffer, dataSize);
        if (listed == reg::kMoreData && dataSize > dataBuffer.size()) {
            dataBuffer.resize(dataSize);
            continue;
        }
        if (listed == reg::kNoMoreItems) {
            return reg::kSuccess;
        }
        if (listed != reg::kSuccess) {
            return listed;
        }
        ++index;
        if (!IsCommandType(type)) {
            continue;
        }
        StartupEntry entry;
        entry.scope = scope;
        entry.name.assign(nameBuffer.data(), nameLength);
        entry.valueType = type;
        entry.valueData.assign(dataBuffer.begin(),
                               dataBuffer.begin() + static_cast<std::ptrdiff_t>(dataSize));
        entry.command = CommandOf(entry.valueData);
        if (listedNames.insert(entry.name).second) {
            entries.push_back(std::move(entry));
        }
    }
}

} // namespace

ErrorCode ReadRunKey(platform::Registry& registry, Scope scope, std::vector<StartupEntry>& entries)
{
    platform::KeyHandle handle = 0;
    const registry::KeyPath runKey = RunKeyOf(scope);
    const ErrorCode opened =
        registry.OpenKey(runKey.root, runKey.subKey, reg::kKeyQueryValue | runKey.view, handle);
    if (opened != reg::kSuccess) {
        return opened;
    }
    platform::OwnedKey key = platform::Own(registry, handle);
    const ErrorCode result = ReadValues(registry, key.get(), scope, entries);
    const ErrorCode closed = platform::Close(registry, key);
    return result != reg::kSuccess ? result : closed;
}

} // namespace entries
