#include "Win32ChangeWatch.h"

#include <algorithm>

namespace platform::win32 {
namespace {

constexpr DWORD kKeyChanges = REG_NOTIFY_CHANGE_LAST_SET | REG_NOTIFY_CHANGE_NAME;
constexpr DWORD kSubkeyChanges = REG_NOTIFY_CHANGE_NAME;
constexpr DWORD kFolderChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE |
                                 FILE_NOTIFY_CHANGE_ATTRIBUTES | FILE_NOTIFY_CHANGE_SIZE;
constexpr DWORD kSubfolderChanges = FILE_NOTIFY_CHANGE_DIR_NAME;

HKEY ToHkey(RootKey root) noexcept
{
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG_PTR>(root)));
}

// The path one level up; empty for a key directly below the hive.
std::wstring ParentOf(const std::wstring& subKey)
{
    const std::size_t cut = subKey.find_last_of(L'\\');
    return cut == std::wstring::npos ? std::wstring() : subKey.substr(0, cut);
}

bool Arm(HKEY key, HANDLE event, DWORD filter) noexcept
{
    return ResetEvent(event) &&
           RegNotifyChangeKeyValue(key, FALSE, filter, event, TRUE) == ERROR_SUCCESS;
}

} // namespace

bool Win32ChangeWatch::Add(HKEY root, const std::wstring& subKey, DWORD view, DWORD filter) noexcept
{
    Registration registration;
    registration.filter = filter;
    if (RegOpenKeyExW(root, subKey.c_str(), 0, KEY_NOTIFY | view, registration.key.put()) !=
        ERROR_SUCCESS) {
        return false;
    }
    registration.event.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    // A key that cannot be armed is still a key that exists: the search for one above it stops.
    if (!registration.event || !Arm(registration.key.get(), registration.event.get(), filter)) {
        return true;
    }
    try {
        registrations_.reserve(registrations_.size() + 1);
        events_.reserve(registrations_.size() + 1);
    } catch (...) {
        return true;
    }
    events_.push_back(registration.event.get());
    registrations_.push_back(std::move(registration));
    return true;
}

bool Win32ChangeWatch::AddFolder(const std::wstring& folder, DWORD filter) noexcept
{
    Registration registration;
    registration.folder.reset(FindFirstChangeNotificationW(folder.c_str(), FALSE, filter));
    if (!registration.folder) {
        return false;
    }
    try {
        registrations_.reserve(registrations_.size() + 1);
        events_.reserve(registrations_.size() + 1);
    } catch (...) {
        return true;
    }
    events_.push_back(registration.folder.get());
    registrations_.push_back(std::move(registration));
    return true;
}

void Win32ChangeWatch::Watch(std::span<const WatchedKey> keys,
                             std::span<const std::wstring> folders) noexcept
{
    Stop();
    try {
        WatchKeys(keys);
        WatchFolders(folders);
    } catch (...) {
        // Out of memory: what could be armed stays armed.
    }
}

void Win32ChangeWatch::WatchFolders(std::span<const std::wstring> folders)
{
    for (const std::wstring& folder : folders) {
        if (AddFolder(folder, kFolderChanges)) {
            continue;
        }
        // A folder that is not there yet: the nearest one above, for folders being made.
        std::wstring parent = folder;
        while (!(parent = ParentOf(parent)).empty() && !AddFolder(parent, kSubfolderChanges)) {
        }
    }
}

void Win32ChangeWatch::WatchKeys(std::span<const WatchedKey> keys)
{
    std::vector<WatchedKey> above;
    for (const WatchedKey& watched : keys) {
        HKEY root = ToHkey(watched.root);
        (void)Add(root, watched.subKey, watched.view, kKeyChanges);
        // The nearest key above that exists, once for all the keys that share it.
        std::wstring parent = watched.subKey;
        do {
            parent = ParentOf(parent);
            const bool known = std::any_of(above.begin(), above.end(), [&](const auto& key) {
                return key.root == watched.root && key.view == watched.view && key.subKey == parent;
            });
            if (known) {
                break;
            }
            if (Add(root, parent, watched.view, kSubkeyChanges)) {
                above.push_back(WatchedKey{watched.root, parent, watched.view});
                break;
            }
        } while (!parent.empty());
    }
}

void Win32ChangeWatch::Stop() noexcept
{
    events_.clear();
    registrations_.clear();
}

void Win32ChangeWatch::Signalled(std::size_t index)
{
    if (index >= registrations_.size()) {
        return;
    }
    Registration& registration = registrations_[index];
    if (registration.folder) {
        // Told once per signal; FindNextChangeNotification arms the handle again.
        (void)FindNextChangeNotification(registration.folder.get());
        if (onChange) {
            onChange();
        }
        return;
    }
    // Armed again before anyone reads the key, so that the next change is told too. A key that
    // was deleted meanwhile cannot be armed; the key above it told of that.
    if (!Arm(registration.key.get(), registration.event.get(), registration.filter)) {
        ResetEvent(registration.event.get());
    }
    if (onChange) {
        onChange();
    }
}

} // namespace platform::win32
