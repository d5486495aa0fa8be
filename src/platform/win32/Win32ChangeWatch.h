#pragma once

#include "WaitSource.h"
#include "platform/ChangeWatch.h"
#include "platform/UniqueHandle.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace platform::win32 {

struct OpenKeyTraits {
    using pointer = HKEY;
    static pointer Invalid() noexcept { return nullptr; }
    static void Close(pointer key) noexcept { RegCloseKey(key); }
};
using OpenKey = UniqueHandle<OpenKeyTraits>;

struct EventTraits {
    using pointer = HANDLE;
    static pointer Invalid() noexcept { return nullptr; }
    static void Close(pointer event) noexcept { CloseHandle(event); }
};
using OwnedEvent = UniqueHandle<EventTraits>;

struct FolderNotificationTraits {
    using pointer = HANDLE;
    static pointer Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(pointer handle) noexcept { FindCloseChangeNotification(handle); }
};
using FolderNotification = UniqueHandle<FolderNotificationTraits>;

// Watches keys with RegNotifyChangeKeyValue, one event per open key, and folders with
// FindFirstChangeNotificationW, for the window system's message loop to wait on.
//
// Windows does not tell a key's own watchers that the key was deleted, and a key that does not
// exist cannot be watched at all; so beside each key the nearest existing key above it is
// watched for subkeys coming and going. A change there may concern a sibling: one refill too
// many, never one too few. Folders likewise: each, present or missing, also through the nearest
// existing folder above it.
// What cannot be watched for another reason is written to the debugger (OutputDebugStringW).
class Win32ChangeWatch final : public ChangeWatch, public WaitSource {
public:
    bool Watch(std::span<const WatchedKey> keys, std::span<const std::wstring> folders) override;
    void Stop() noexcept override;

    [[nodiscard]] std::span<const HANDLE> Handles() const noexcept override { return events_; }
    void Signalled(std::size_t index) override;
    void WaitFailed(DWORD error) override;

private:
    // A key with its event, or a folder's notification handle (which is its own event).
    struct Registration {
        OpenKey key;
        OwnedEvent event;
        DWORD filter = 0;
        FolderNotification folder;
    };

    enum class Armed : std::uint8_t { Yes, Missing, Failed };

    // Opens the key for notification and arms it.
    Armed Add(HKEY root, const std::wstring& subKey, DWORD view, DWORD filter);
    // False when a key, or the key above a missing one, cannot be watched.
    bool WatchKeys(std::span<const WatchedKey> keys);
    // Starts the folder's notification.
    Armed AddFolder(const std::wstring& folder, DWORD filter);
    bool WatchFolders(std::span<const std::wstring> folders);
    void Keep(Registration registration);

    std::vector<Registration> registrations_;
    std::vector<HANDLE> events_; // the registrations' events, in their order
};

} // namespace platform::win32
