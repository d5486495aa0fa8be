#pragma once

#include "platform/Registry.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace platform::portable {

// The registry calls, for fault injection and counting.
enum class RegistryCall : std::uint8_t {
    Open,
    Create,
    EnumValue,
    QueryValue,
    SetValue,
    DeleteValue,
    Close,
};
inline constexpr std::size_t kRegistryCallKinds = 7;

// An in-memory registry that behaves like Windows' wherever the tool can see it: keys made along
// a path, the 32-bit view of the machine's SOFTWARE key as 64-bit Windows keeps it, names compared
// without regard to case, values kept in the order they were created, data stored as raw bytes with
// its type, access rights checked per open key, and the same result codes. Tests can deny access to
// a key, make a chosen call fail, and count open keys.
class MemoryRegistry final : public Registry {
public:
    MemoryRegistry();
    ~MemoryRegistry() override;
    MemoryRegistry(const MemoryRegistry&) = delete;
    MemoryRegistry& operator=(const MemoryRegistry&) = delete;

    ErrorCode OpenKey(RootKey root, const NulTerminated& subKey, std::uint32_t access,
                      KeyHandle& key) noexcept override;
    ErrorCode CreateKey(RootKey root, const NulTerminated& subKey, std::uint32_t access,
                        KeyHandle& key) noexcept override;
    ErrorCode EnumValue(KeyHandle key, std::uint32_t index, std::span<wchar_t> name,
                        std::uint32_t& nameLength, std::uint32_t& type, std::span<std::byte> data,
                        std::uint32_t& dataSize) noexcept override;
    ErrorCode QueryValue(KeyHandle key, std::wstring_view name, std::uint32_t* type,
                         std::byte* data, std::uint32_t* dataSize) noexcept override;
    ErrorCode SetValue(KeyHandle key, std::wstring_view name, std::uint32_t type,
                       std::span<const std::byte> data) noexcept override;
    ErrorCode DeleteValue(KeyHandle key, std::wstring_view name) noexcept override;
    ErrorCode CloseKey(KeyHandle key) noexcept override;
    // The write time of a key is a count of the registry's writes, which only ever grows.
    ErrorCode QueryWriteTime(KeyHandle key, std::uint64_t& lastWrite) noexcept override;

    // The test hooks name keys as they are stored, whatever the view: the 32-bit programs' keys of
    // the machine under SOFTWARE\WOW6432Node.
    // Every later open or create of exactly this key fails with 5, as a key whose security
    // grants the user nothing.
    void DenyAccess(RootKey root, std::wstring_view subKey);
    // The n-th call of this kind from now on (1 = the next one) fails with `code` and does
    // nothing else.
    void FailCall(RegistryCall call, int nth, ErrorCode code);
    // Removes a key with everything under it; true when it existed.
    bool DeleteKeyTree(RootKey root, std::wstring_view subKey);
    [[nodiscard]] bool KeyExists(RootKey root, std::wstring_view subKey) const;

    [[nodiscard]] int OpenKeyCount() const noexcept { return static_cast<int>(open_.size()); }
    [[nodiscard]] long long CallCount() const noexcept { return callCount_; }
    [[nodiscard]] long long CallCount(RegistryCall call) const noexcept
    {
        return callsByKind_[static_cast<std::size_t>(call)];
    }

private:
    struct Value {
        std::wstring name;
        std::uint32_t type = 0;
        std::vector<std::byte> data;
    };
    struct Key {
        std::wstring name;
        std::vector<std::unique_ptr<Key>> subKeys;
        std::vector<Value> values; // in creation order, the order of enumeration
        // Position in `values` by the name's upper-case form, so that finding a value does not
        // grow with the number of its neighbours.
        std::unordered_map<std::wstring, std::size_t> valueIndex;
        bool denied = false;
        std::uint64_t written = 0;
    };
    struct OpenKeyEntry {
        Key* key = nullptr;
        std::uint32_t access = 0;
    };
    struct Fault {
        RegistryCall call;
        int remaining;
        ErrorCode code;
    };

    // A key path split at its backslashes; empty parts (doubled or trailing separators) are
    // skipped.
    static std::vector<std::wstring_view> SplitPath(std::wstring_view path);
    // The parts of the path as the access flags' view sees it: the 32-bit view of the machine's
    // SOFTWARE key lies under SOFTWARE\WOW6432Node. 87 when both views are asked for.
    static ErrorCode PathInView(RootKey root, std::wstring_view subKey, std::uint32_t access,
                                std::vector<std::wstring_view>& parts);
    // Counts the call and says whether a fault set up for it makes it fail, with which code.
    std::optional<ErrorCode> BeginCall(RegistryCall call) noexcept;
    Key* Root(RootKey root) noexcept;
    const Key* Root(RootKey root) const noexcept;
    Key* Find(RootKey root, std::span<const std::wstring_view> path) const;
    OpenKeyEntry* Lookup(KeyHandle key) noexcept;
    // BeginCall for a call on the values of an open key: the key, or none and the error that
    // ends the call (a fault set up for it, a handle that names no open key, or a key opened
    // without the access the call needs).
    OpenKeyEntry* BeginValueCall(RegistryCall call, KeyHandle key, std::uint32_t access,
                                 ErrorCode& error) noexcept;
    KeyHandle Register(Key* key, std::uint32_t access);
    static Key* FindChild(const Key& parent, std::wstring_view name) noexcept;
    Key& AddChild(Key& parent, std::wstring_view name);
    void Written(Key& key) noexcept { key.written = ++writes_; }
    static Value* FindValue(Key& key, std::wstring_view name);
    static void AddValue(Key& key, Value value);
    static bool RemoveValue(Key& key, std::wstring_view name);

    std::map<RootKey, std::unique_ptr<Key>> roots_;
    std::map<KeyHandle, OpenKeyEntry> open_;
    KeyHandle nextHandle_ = 0x100;
    std::uint64_t writes_ = 0;
    std::vector<Fault> faults_;
    long long callCount_ = 0;
    std::array<long long, kRegistryCallKinds> callsByKind_{};
};

} // namespace platform::portable
