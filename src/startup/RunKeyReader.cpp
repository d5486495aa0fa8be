#include "modTolvan.h"
#include "platform/Utf16.h"
#include "registry/modRegistry.h"

#include <vector>

namespace modTolvan {

using platform::RegResult;
namespace reg = platform::reg;

void AddEntry(std::int32_t root, std::wstring_view name, std::wstring_view value)
{
    RunEntry entry;
    entry.TopKey = root;
    entry.Name = std::wstring(name);
    entry.Value = std::wstring(value);
    entries.push_back(std::move(entry));
}

std::int32_t ReadRunKey(platform::Registry& registry, std::int32_t root)
{
    RegResult status = modRegistry::kNoRoot;
    if (root == 0) {
        return status;
    }
    platform::KeyHandle handle = 0;
    status = registry.OpenKey(root, modRegistry::kRunKeyPath, reg::kKeyQueryValue, handle);
    if (status != reg::kSuccess) {
        return status;
    }
    platform::OwnedKey key = platform::Own(registry, handle);
    try {
        // Room for the longest name the registry allows, so that no value can hide the ones
        // after it behind a long name.
        std::vector<wchar_t> nameBuffer(reg::kMaxValueNameChars + 1);
        for (std::uint32_t index = 0;; ++index) {
            std::uint32_t nameLength = 0;
            std::uint32_t type = 0;
            std::uint32_t dataSize = 0;
            if (registry.EnumValue(key.get(), index, nameBuffer, nameLength, type, dataSize) !=
                reg::kSuccess) {
                break; // normally 259, no more values
            }
            if (type != reg::kTypeSz) {
                continue;
            }
            const std::wstring name(nameBuffer.data(), nameLength);
            std::vector<std::byte> data(dataSize);
            std::uint32_t queriedType = reg::kTypeSz;
            std::uint32_t size = dataSize;
            status = registry.QueryValue(key.get(), name, &queriedType, data.data(), &size);
            if (status != reg::kSuccess) {
                (void)platform::Close(registry, key);
                return status;
            }
            std::wstring text = platform::FromUtf16Le(std::span(data).first(size));
            // The stored size counts the terminator; data stored without one is taken whole.
            if (!text.empty() && text.back() == L'\0') {
                text.pop_back();
            }
            AddEntry(root, name, text);
        }
    } catch (...) {
        return status;
    }
    return platform::Close(registry, key);
}

} // namespace modTolvan
