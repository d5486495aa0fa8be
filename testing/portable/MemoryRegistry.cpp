#include "MemoryRegistry.h"

#include "CaseFold.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace platform::portable {

std::vector<std::wstring_view> MemoryRegistry::SplitPath(std::wstring_view path)
{
    std::vector<std::wstring_view> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find(L'\\', start), path.size());
        if (end > start) {
            parts.push_back(path.substr(start, end - start));
        }
        start = end + 1;
    }
    return parts;
}

ErrorCode MemoryRegistry::PathInView(RootKey root, std::wstring_view subKey, std::uint32_t access,
                                     std::vector<std::wstring_view>& parts)
{
    if ((access & reg::kView32Bit) != 0 && (access & reg::kView64Bit) != 0) {
        return reg::kInvalidParameter;
    }
    parts = SplitPath(subKey);
    // Only the machine's SOFTWARE key has a view of its own for 32-bit programs; a path that
    // already names the 32-bit keys is taken as it stands.
    constexpr std::wstring_view kSoftware = L"SOFTWARE";
    constexpr std::wstring_view k32BitKeys = L"WOW6432Node";
    if ((access & reg::kView32Bit) != 0 && root == reg::kLocalMachine && !parts.empty() &&
        EqualsIgnoringCase(parts[0], kSoftware) &&
        !(parts.size() > 1 && EqualsIgnoringCase(parts[1], k32BitKeys))) {
        parts.insert(parts.begin() + 1, k32BitKeys);
    }
    return reg::kSuccess;
}

MemoryRegistry::MemoryRegistry()
{
    for (const RootKey root : {reg::kCurrentUser, reg::kLocalMachine}) {
        roots_.emplace(root, std::make_unique<Key>());
    }
}

MemoryRegistry::~MemoryRegistry() = default;

MemoryRegistry::Key* MemoryRegistry::Root(RootKey root) noexcept
{
    const auto it = roots_.find(root);
    return it == roots_.end() ? nullptr : it->second.get();
}

const MemoryRegistry::Key* MemoryRegistry::Root(RootKey root) const noexcept
{
    const auto it = roots_.find(root);
    return it == roots_.end() ? nullptr : it->second.get();
}

MemoryRegistry::Key* MemoryRegistry::Find(RootKey root,
                                          std::span<const std::wstring_view> path) const
{
    Key* key = const_cast<Key*>(Root(root));
    for (const std::wstring_view part : path) {
        if (key == nullptr) {
            return nullptr;
        }
        key = FindChild(*key, part);
    }
    return key;
}

MemoryRegistry::OpenKeyEntry* MemoryRegistry::Lookup(KeyHandle key) noexcept
{
    const auto it = open_.find(key);
    return it == open_.end() ? nullptr : &it->second;
}

MemoryRegistry::OpenKeyEntry* MemoryRegistry::BeginValueCall(RegistryCall call, KeyHandle key,
                                                             std::uint32_t access,
                                                             ErrorCode& error) noexcept
{
    if (const auto fault = BeginCall(call)) {
        error = *fault;
        return nullptr;
    }
    OpenKeyEntry* entry = Lookup(key);
    if (entry == nullptr) {
        error = reg::kInvalidHandle;
    } else if ((entry->access & access) == 0) {
        error = reg::kAccessDenied;
        entry = nullptr;
    }
    return entry;
}

KeyHandle MemoryRegistry::Register(Key* key, std::uint32_t access)
{
    const KeyHandle handle = nextHandle_++;
    open_.emplace(handle, OpenKeyEntry{key, access});
    return handle;
}

MemoryRegistry::Key* MemoryRegistry::FindChild(const Key& parent, std::wstring_view name) noexcept
{
    const auto it =
        std::find_if(parent.subKeys.begin(), parent.subKeys.end(),
                     [&](const auto& child) { return EqualsIgnoringCase(child->name, name); });
    return it == parent.subKeys.end() ? nullptr : it->get();
}

MemoryRegistry::Key& MemoryRegistry::AddChild(Key& parent, std::wstring_view name)
{
    auto child = std::make_unique<Key>();
    child->name = std::wstring(name);
    parent.subKeys.push_back(std::move(child));
    Written(parent);
    Written(*parent.subKeys.back());
    return *parent.subKeys.back();
}

namespace {

std::wstring UpperCaseName(std::wstring_view name)
{
    std::wstring upper(name);
    for (wchar_t& ch : upper) {
        ch = ToUpperInvariant(ch);
    }
    return upper;
}

} // namespace

MemoryRegistry::Value* MemoryRegistry::FindValue(Key& key, std::wstring_view name)
{
    const auto found = key.valueIndex.find(UpperCaseName(name));
    return found == key.valueIndex.end() ? nullptr : &key.values[found->second];
}

void MemoryRegistry::AddValue(Key& key, Value value)
{
    std::wstring upper = UpperCaseName(value.name);
    key.values.push_back(std::move(value));
    try {
        key.valueIndex.emplace(std::move(upper), key.values.size() - 1);
    } catch (...) {
        key.values.pop_back();
        throw;
    }
}

bool MemoryRegistry::RemoveValue(Key& key, std::wstring_view name)
{
    const auto found = key.valueIndex.find(UpperCaseName(name));
    if (found == key.valueIndex.end()) {
        return false;
    }
    const std::size_t position = found->second;
    key.valueIndex.erase(found);
    key.values.erase(key.values.begin() + static_cast<std::ptrdiff_t>(position));
    for (auto& [upper, at] : key.valueIndex) {
        if (at > position) {
            --at;
        }
    }
    return true;
}

ErrorCode MemoryRegistry::OpenKey(RootKey root, const NulTerminated& subKey, std::uint32_t access,
                                  KeyHandle& key) noexcept
{
    if (const auto fault = BeginCall(RegistryCall::Open)) {
        return *fault;
    }
    try {
        if (Root(root) == nullptr) {
            return reg::kInvalidHandle;
        }
        std::vector<std::wstring_view> path;
        if (const ErrorCode viewed = PathInView(root, subKey, access, path);
            viewed != reg::kSuccess) {
            return viewed;
        }
        Key* found = Find(root, path);
        if (found == nullptr) {
            return reg::kFileNotFound;
        }
        if (found->denied) {
            return reg::kAccessDenied;
        }
        key = Register(found, access);
        return reg::kSuccess;
    } catch (const std::bad_alloc&) {
        return reg::kNotEnoughMemory;
    }
}

ErrorCode MemoryRegistry::CreateKey(RootKey root, const NulTerminated& subKey, std::uint32_t access,
                                    KeyHandle& key) noexcept
{
    if (const auto fault = BeginCall(RegistryCall::Create)) {
        return *fault;
    }
    try {
        Key* current = Root(root);
        if (current == nullptr) {
            return reg::kInvalidHandle;
        }
        std::vector<std::wstring_view> path;
        if (const ErrorCode viewed = PathInView(root, subKey, access, path);
            viewed != reg::kSuccess) {
            return viewed;
        }
        for (const std::wstring_view part : path) {
            Key* child = FindChild(*current, part);
            if (child == nullptr) {
                // Making a sub-key needs rights on its parent.
                if (current->denied) {
                    return reg::kAccessDenied;
                }
                child = &AddChild(*current, part);
            }
            current = child;
        }
        if (current->denied) {
            return reg::kAccessDenied;
        }
        key = Register(current, access);
        return reg::kSuccess;
    } catch (const std::bad_alloc&) {
        return reg::kNotEnoughMemory;
    }
}

ErrorCode MemoryRegistry::EnumValue(KeyHandle key, std::uint32_t index, std::span<wchar_t> name,
                                    std::uint32_t& nameLength, std::uint32_t& type,
                                    std::span<std::byte> data, std::uint32_t& dataSize) noexcept
{
    ErrorCode error = reg::kSuccess;
    OpenKeyEntry* entry = BeginValueCall(RegistryCall::EnumValue, key, reg::kKeyQueryValue, error);
    if (entry == nullptr) {
        return error;
    }
    if (index >= entry->key->values.size()) {
        return reg::kNoMoreItems;
    }
    const Value& value = entry->key->values[index];
    if (value.name.size() >= name.size()) {
        return reg::kMoreData;
    }
    type = value.type;
    dataSize = static_cast<std::uint32_t>(value.data.size());
    if (!data.empty() && data.size() < value.data.size()) {
        return reg::kMoreData;
    }
    std::copy(value.name.begin(), value.name.end(), name.begin());
    name[value.name.size()] = L'\0';
    nameLength = static_cast<std::uint32_t>(value.name.size());
    if (!data.empty()) {
        std::copy(value.data.begin(), value.data.end(), data.begin());
    }
    return reg::kSuccess;
}

ErrorCode MemoryRegistry::QueryValue(KeyHandle key, std::wstring_view name, std::uint32_t* type,
                                     std::byte* data, std::uint32_t* dataSize) noexcept
{
    ErrorCode error = reg::kSuccess;
    OpenKeyEntry* entry = BeginValueCall(RegistryCall::QueryValue, key, reg::kKeyQueryValue, error);
    if (entry == nullptr) {
        return error;
    }
    if (data != nullptr && dataSize == nullptr) {
        return reg::kInvalidParameter;
    }
    const Value* value = nullptr;
    try {
        value = FindValue(*entry->key, name);
    } catch (const std::bad_alloc&) {
        return reg::kNotEnoughMemory;
    }
    if (value == nullptr) {
        return reg::kFileNotFound;
    }
    const auto size = static_cast<std::uint32_t>(value->data.size());
    if (type != nullptr) {
        *type = value->type;
    }
    if (data == nullptr) {
        if (dataSize != nullptr) {
            *dataSize = size;
        }
        return reg::kSuccess;
    }
    if (*dataSize < size) {
        *dataSize = size;
        return reg::kMoreData;
    }
    if (size > 0) {
        std::memcpy(data, value->data.data(), size);
    }
    *dataSize = size;
    return reg::kSuccess;
}

ErrorCode MemoryRegistry::SetValue(KeyHandle key, std::wstring_view name, std::uint32_t type,
                                   std::span<const std::byte> data) noexcept
{
    ErrorCode error = reg::kSuccess;
    OpenKeyEntry* entry = BeginValueCall(RegistryCall::SetValue, key, reg::kKeySetValue, error);
    if (entry == nullptr) {
        return error;
    }
    if (name.size() > reg::kMaxValueNameChars) {
        return reg::kInvalidParameter;
    }
    try {
        std::vector<std::byte> bytes(data.begin(), data.end());
        if (Value* existing = FindValue(*entry->key, name)) {
            existing->type = type;
            existing->data = std::move(bytes);
        } else {
            AddValue(*entry->key, Value{std::wstring(name), type, std::move(bytes)});
        }
        Written(*entry->key);
        return reg::kSuccess;
    } catch (const std::bad_alloc&) {
        return reg::kNotEnoughMemory;
    }
}

ErrorCode MemoryRegistry::DeleteValue(KeyHandle key, std::wstring_view name) noexcept
{
    ErrorCode error = reg::kSuccess;
    OpenKeyEntry* entry = BeginValueCall(RegistryCall::DeleteValue, key, reg::kKeySetValue, error);
    if (entry == nullptr) {
        return error;
    }
    try {
        if (!RemoveValue(*entry->key, name)) {
            return reg::kFileNotFound;
        }
        Written(*entry->key);
        return reg::kSuccess;
    } catch (const std::bad_alloc&) {
        return reg::kNotEnoughMemory;
    }
}

ErrorCode MemoryRegistry::CloseKey(KeyHandle key) noexcept
{
    if (const auto fault = BeginCall(RegistryCall::Close)) {
        // A close that fails still gives the handle up, as RegCloseKey does.
        open_.erase(key);
        return *fault;
    }
    return open_.erase(key) == 1 ? reg::kSuccess : reg::kInvalidHandle;
}

ErrorCode MemoryRegistry::QueryWriteTime(KeyHandle key, std::uint64_t& lastWrite) noexcept
{
    const OpenKeyEntry* entry = Lookup(key);
    if (entry == nullptr) {
        return reg::kInvalidHandle;
    }
    lastWrite = entry->key->written;
    return reg::kSuccess;
}

} // namespace platform::portable
