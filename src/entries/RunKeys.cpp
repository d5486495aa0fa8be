#include "RunKeys.h"

#include "platform/Utf16.h"

#include <string>
#include <unordered_set>

namespace entries {
namespace {

using platform::ErrorCode;
namespace reg = platform::reg;

// The value types Windows runs at logon.
bool IsCommandType(std::uint32_t type) noexcept
{
    return type == reg::kTypeSz || type == reg::kTypeExpandSz;
}

// What became of a listed value when its data was read.
enum class Read : std::uint8_t { Found, OtherType, Vanished };

// Reads one listed value's data into `entry`. A value deleted since it was listed (2) has
// vanished; one replaced by another kind of value is not listed; one that grew meanwhile is read
// again at its new size.
ErrorCode ReadCommand(platform::Registry& registry, platform::KeyHandle key, std::uint32_t dataSize,
                      StartupEntry& entry, Read& read)
{
    read = Read::OtherType;
    std::vector<std::byte> data(dataSize);
    for (;;) {
        std::uint32_t size = static_cast<std::uint32_t>(data.size());
        const ErrorCode queried =
            registry.QueryValue(key, entry.name, &entry.valueType, data.data(), &size);
        if (queried == reg::kMoreData) {
            data.resize(size);
            continue;
        }
        if (queried == reg::kFileNotFound) {
            read = Read::Vanished;
            return reg::kSuccess;
        }
        if (queried != reg::kSuccess) {
            return queried;
        }
        if (!IsCommandType(entry.valueType)) {
            return reg::kSuccess;
        }
        data.resize(size);
        entry.command = platform::FromUtf16Le(data);
        // The stored size counts the terminator; data stored without one is taken whole.
        if (!entry.command.empty() && entry.command.back() == L'\0') {
            entry.command.pop_back();
        }
        entry.storedData = std::move(data);
        read = Read::Found;
        return reg::kSuccess;
    }
}

// Reads the values of an open Run key into `entries`, up to the end of the key or the first call
// that fails.
ErrorCode ReadValues(platform::Registry& registry, platform::KeyHandle key, Scope scope,
                     std::vector<StartupEntry>& entries)
{
    // Room for the longest name the registry allows, so that no value can hide the ones after it
    // behind a long name.
    std::vector<wchar_t> nameBuffer(reg::kMaxValueNameChars + 1);
    // A value deleted while the key is read moves the ones after it up a place; one added may
    // move a value read already down. Each name is listed once.
    std::unordered_set<std::wstring> listedNames;
    std::wstring vanished; // read again once at its place, in case a value has taken it
    for (std::uint32_t index = 0;; ++index) {
        std::uint32_t nameLength = 0;
        std::uint32_t type = 0;
        std::uint32_t dataSize = 0;
        const ErrorCode listed =
            registry.EnumValue(key, index, nameBuffer, nameLength, type, dataSize);
        if (listed == reg::kNoMoreItems) {
            return reg::kSuccess;
        }
        if (listed != reg::kSuccess) {
            return listed;
        }
        if (!IsCommandType(type)) {
            continue;
        }
        StartupEntry entry;
        entry.scope = scope;
        entry.name.assign(nameBuffer.data(), nameLength);
        Read read = Read::OtherType;
        if (const ErrorCode result = ReadCommand(registry, key, dataSize, entry, read);
            result != reg::kSuccess) {
            return result;
        }
        if (read == Read::Vanished) {
            if (entry.name != vanished) {
                vanished = std::move(entry.name);
                --index; // the next value may have taken its place
            }
        } else if (read == Read::Found && listedNames.insert(entry.name).second) {
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
