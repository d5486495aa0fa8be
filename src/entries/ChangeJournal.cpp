#include "ChangeJournal.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

namespace entries {
namespace {

namespace reg = platform::reg;
using platform::ErrorCode;

constexpr platform::ErrorCode kFileNotFound = 2;

// The name of the key's value that has this name to Windows, as the key spells it; the name as
// given when it cannot be told.
std::wstring SpellingIn(platform::Registry& registry, platform::Collation& collation,
                        const registry::KeyPath& key, std::wstring_view name)
{
    platform::KeyHandle handle = 0;
    if (registry.OpenKey(key.root, key.subKey, reg::kKeyQueryValue | key.view, handle) !=
        reg::kSuccess) {
        return std::wstring(name);
    }
    const platform::OwnedKey open = platform::Own(registry, handle);
    std::vector<wchar_t> found(reg::kMaxValueNameChars + 1);
    std::uint32_t length = 0;
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    for (std::uint32_t index = 0;
         registry.EnumValue(open.get(), index, found, length, type, {}, size) == reg::kSuccess;
         ++index) {
        const std::wstring_view spelled(found.data(), length);
        if (SameName(collation, spelled, name)) {
            return std::wstring(spelled);
        }
    }
    return std::wstring(name);
}

} // namespace

bool SameName(platform::Collation& collation, std::wstring_view a, std::wstring_view b) noexcept
{
    return a.size() == b.size() && (a == b || collation.Compare(a, b) == 0);
}

ChangeJournal::ChangeJournal(platform::Platform& platform) noexcept
    : registry_(platform.registry), folders_(platform.startupFolders),
      collation_(platform.collation)
{
}

ErrorCode ChangeJournal::ReadBefore(const registry::KeyPath& key, std::wstring_view name,
                                    std::optional<StoredValue>& before)
{
    StoredValue value;
    const ErrorCode read = registry::ReadValue(registry_, key, name, value.type, value.data);
    if (read == reg::kSuccess) {
        value.name = SpellingIn(registry_, collation_, key, name);
        before = std::move(value);
    }
    return read == reg::kFileNotFound ? reg::kSuccess : read;
}

void ChangeJournal::PutBack(const registry::KeyPath& key, std::wstring_view name,
                            const std::optional<StoredValue>& before) noexcept
{
    // Should this fail too, the error the change already reports is all that can be said.
    if (before) {
        (void)registry::WriteValue(registry_, key, before->name, before->type, before->data);
    } else {
        (void)registry::DeleteValue(registry_, key, name);
    }
}

ChangeJournal::~ChangeJournal()
{
    std::for_each(undo_.rbegin(), undo_.rend(), [](const std::function<void()>& undo) { undo(); });
}

void ChangeJournal::Commit() noexcept
{
    undo_.clear();
}

template <typename Result, typename Take>
Result ChangeJournal::Record(Take take, std::function<void()> undo)
{
    // The room for the undo is made first: a step taken must never go unremembered.
    undo_.push_back(std::move(undo));
    const Result result = take();
    if (result != 0) {
        undo_.pop_back();
    }
    return result;
}

ErrorCode ChangeJournal::SetValue(const registry::KeyPath& key, std::wstring_view name,
                                  std::uint32_t type, std::span<const std::byte> data)
{
    std::optional<StoredValue> before;
    if (const ErrorCode read = ReadBefore(key, name, before); read != reg::kSuccess) {
        return read;
    }
    if (before && before->name != name) {
        // Written over, the value would keep the old spelling of its name.
        if (const ErrorCode removed = RemoveValue(key, name); removed != reg::kSuccess) {
            return removed;
        }
        before.reset();
    }
    return Record<ErrorCode>([&] { return registry::WriteValue(registry_, key, name, type, data); },
                             [this, key, name = std::wstring(name), before = std::move(before)] {
                                 PutBack(key, name, before);
                             });
}

ErrorCode ChangeJournal::RemoveValue(const registry::KeyPath& key, std::wstring_view name)
{
    std::optional<StoredValue> before;
    if (const ErrorCode read = ReadBefore(key, name, before); read != reg::kSuccess) {
        return read;
    }
    if (!before) {
        return reg::kFileNotFound;
    }
    return Record<ErrorCode>([&] { return registry::DeleteValue(registry_, key, name); },
                             [this, key, name = std::wstring(name), before = std::move(before)] {
                                 PutBack(key, name, before);
                             });
}

platform::ErrorCode ChangeJournal::WriteShortcut(const platform::NulTerminated& path,
                                                 const platform::Shortcut& shortcut)
{
    std::optional<platform::Shortcut> before = folders_.ReadShortcut(path);
    if (!before) {
        return kFileNotFound;
    }
    return Record<platform::ErrorCode>(
        [&] { return folders_.WriteShortcut(path, shortcut); },
        [this, path = std::wstring(path.View()), before = std::move(*before)] {
            (void)folders_.WriteShortcut(path, before);
        });
}

platform::ErrorCode ChangeJournal::MoveFileTo(const platform::NulTerminated& from,
                                              const platform::NulTerminated& to)
{
    return Record<platform::ErrorCode>(
        [&] { return folders_.MoveFileTo(from, to); },
        [this, from = std::wstring(from.View()), to = std::wstring(to.View())] {
            (void)folders_.MoveFileTo(to, from);
        });
}

platform::ErrorCode ChangeJournal::RecycleFile(const platform::NulTerminated& path)
{
    return folders_.RecycleFile(path);
}

} // namespace entries
