#include "Win32ChangeWatch.h"

#include <algorithm>
#include <array>
#include <cwchar>

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

// ERROR_SUCCESS once the key's next change will set the event.
LSTATUS Arm(HKEY key, HANDLE event, DWORD filter) noexcept
{
    if (!ResetEvent(event)) {
        return static_cast<LSTATUS>(GetLastError());
    }
    return RegNotifyChangeKeyValue(key, FALSE, filter, event, TRUE);
}

// For a debugger: what is not watched, and why. The window looks for its changes itself.
void TellUnwatched(const std::wstring& what, DWORD error) noexcept
{
    std::array<wchar_t, 600> line{};
    std::swprintf(line.data(), line.size(),
                  L"Tolvan: cannot watch %.400ls for changes (error %lu); checking it instead\n",
                  what.c_str(), static_cast<unsigned long>(error));
    OutputDebugStringW(line.data());
}

} // namespace

void Win32ChangeWatch::Keep(Registration registration)
{
    registrations_.reserve(registrations_.size() + 1);
    events_.reserve(registrations_.size() + 1);
    events_.push_back(registration.folder ? registration.folder.get() : registration.event.get());
    registrations_.push_back(std::move(registration));
}

Win32ChangeWatch::Armed Win32ChangeWatch::Add(HKEY root, const std::wstring& subKey, DWORD view,
                                              DWORD filter)
{
    Registration registration;
    registration.filter = filter;
    const LSTATUS opened =
        RegOpenKeyExW(root, subKey.c_str(), 0, KEY_NOTIFY | view, registration.key.put());
    if (opened == ERROR_FILE_NOT_FOUND) {
        return Armed::Missing;
    }
    if (opened != ERROR_SUCCESS) {
        TellUnwatched(subKey, static_cast<DWORD>(opened));
        return Armed::Failed;
    }
    registration.event.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!registration.event) {
        TellUnwatched(subKey, GetLastError());
        return Armed::Failed;
    }
    if (const LSTATUS armed = Arm(registration.key.get(), registration.event.get(), filter);
        armed != ERROR_SUCCESS) {
        TellUnwatched(subKey, static_cast<DWORD>(armed));
        return Armed::Failed;
    }
    Keep(std::move(registration));
    return Armed::Yes;
}

Win32ChangeWatch::Armed Win32ChangeWatch::AddFolder(const std::wstring& folder, DWORD filter)
{
    Registration registration;
    registration.folder.reset(FindFirstChangeNotificationW(folder.c_str(), FALSE, filter));
    if (!registration.folder) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
            return Armed::Missing;
        }
        TellUnwatched(folder, error);
        return Armed::Failed;
    }
    Keep(std::move(registration));
    return Armed::Yes;
}

bool Win32ChangeWatch::Watch(std::span<const WatchedKey> keys,
                             std::span<const std::wstring> folders)
{
    Stop();
    const bool keysFollowed = WatchKeys(keys);
    return WatchFolders(folders) && keysFollowed;
}

bool Win32ChangeWatch::WatchFolders(std::span<const std::wstring> folders)
{
    bool followed = true;
    for (const std::wstring& folder : folders) {
        const Armed armed = AddFolder(folder, kFolderChanges);
        // The nearest folder above that exists, for the folder being made, and also while it
        // exists: a folder deleted while it is empty tells its own watchers nothing (so measured
        // under Wine), and the one made again in its place would go unnoticed.
        std::wstring parent = folder;
        Armed above = Armed::Missing;
        while (above == Armed::Missing && !(parent = ParentOf(parent)).empty()) {
            above = AddFolder(parent, kSubfolderChanges);
        }
        followed = followed && armed != Armed::Failed && above != Armed::Failed;
    }
    return followed;
}

bool Win32ChangeWatch::WatchKeys(std::span<const WatchedKey> keys)
{
    bool followed = true;
    std::vector<WatchedKey> above;
    for (const WatchedKey& watched : keys) {
        HKEY root = ToHkey(watched.root);
        if (Add(root, watched.subKey, watched.view, kKeyChanges) == Armed::Failed) {
            followed = false;
        }
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
            const Armed armed = Add(root, parent, watched.view, kSubkeyChanges);
            if (armed == Armed::Failed) {
                followed = false;
            }
            if (armed != Armed::Missing) {
                above.push_back(WatchedKey{watched.root, parent, watched.view});
                break;
            }
        } while (!parent.empty());
    }
    return followed;
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
    if (Arm(registration.key.get(), registration.event.get(), registration.filter) !=
        ERROR_SUCCESS) {
        ResetEvent(registration.event.get());
    }
    if (onChange) {
        onChange();
    }
}

void Win32ChangeWatch::WaitFailed(DWORD error)
{
    TellUnwatched(L"any key or folder", error);
    Stop();
    if (onLost) {
        onLost();
    }
}

} // namespace platform::win32
