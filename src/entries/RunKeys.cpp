#include "RunKeys.h"

#include "platform/Utf16.h"

#include <new>
#include <string>

namespace entries {
namespace {

using platform::RegResult;
namespace reg = platform::reg;

// The value types Windows runs at logon.
bool IsCommandType(std::uint32_t type) noexcept
{
    return type == reg::kTypeSz || type == reg::kTypeExpandSz;
}

// Reads the values of an open Run key into `entries`.
RegResult ReadValues(platform::Registry& registry, platform::KeyHandle key, Scope scope,
                     std::vector<StartupEntry>& entries)
{
    // Room for the longest name the registry allows, so that no value can hide the ones after it
    // behind a long name.
    std::vector<wchar_t> nameBuffer(reg::kMaxValueNameChars + 1);
    for (std::uint32_t index = 0;; ++index) {
        std::uint32_t nameLength = 0;
        std::uint32_t type = 0;
        std::uint32_t dataSize = 0;
        if (registry.EnumValue(key, index, nameBuffer, nameLength, type, dataSize) !=
            reg::kSuccess) {
            return reg::kSuccess; // normally 259, no more values
        }
        if (!IsCommandType(type)) {
            continue;
        }
        StartupEntry entry;
        entry.scope = scope;
        entry.name.assign(nameBuffer.data(), nameLength);
        std::vector<std::byte> data(dataSize);
        std::uint32_t size = dataSize;
        const RegResult queried =
            registry.QueryValue(key, entry.name, &entry.valueType, data.data(), &size);
        if (queried != reg::kSuccess) {
            return queried;
        }
        // Replaced by another kind of value since it was listed.
        if (!IsCommandType(entry.valueType)) {
            continue;
        }
        entry.command = platform::FromUtf16Le(std::span(data).first(size));
        // The stored size counts the terminator; data stored without one is taken whole.
        if (!entry.command.empty() && entry.command.back() == L'\0') {
            entry.command.pop_back();
        }
        entries.push_back(std::move(entry));
    }
}

} // namespace

RegResult ReadRunKey(platform::Registry& registry, Scope scope, std::vector<StartupEntry>& entries)
{
    platform::KeyHandle handle = 0;
    const registry::KeyPath runKey = RunKeyOf(scope);
    const RegResult opened =
        registry.OpenKey(runKey.root, runKey.subKey, reg::kKeyQueryValue | runKey.view, handle);
    if (opened != reg::kSuccess) {
        return opened;
    }
    platform::OwnedKey key = platform::Own(registry, handle);
    RegResult result = reg::kSuccess;
    try {
        result = ReadValues(registry, key.get(), scope, entries);
    } catch (const std::bad_alloc&) {
        result = reg::kNotEnoughMemory;
    }
    const RegResult closed = platform::Close(registry, key);
    return result != reg::kSuccess ? result : closed;
}

} // namespace entries
