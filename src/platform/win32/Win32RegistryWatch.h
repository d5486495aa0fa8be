#pragma once

#include "WaitSource.h"
#include "platform/RegistryWatch.h"
#include "platform/UniqueHandle.h"

#include <windows.h>

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

// Watches keys with RegNotifyChangeKeyValue, one event per open key, for the window system's
// message loop to wait on.
//
// Windows does not tell a key's own watchers that the key was deleted, and a key that does not
// exist cannot be watched at all; so beside each key the nearest existing key above it is
// watched for subkeys coming and going. A change there may concern a sibling: one refill too
// many, never one too few.
class Win32RegistryWatch final : public RegistryWatch, public WaitSource {
public:
    void Watch(std::span<const WatchedKey> keys) noexcept override;
    void Stop() noexcept override;

    [[nodiscard]] std::span<const HANDLE> Handles() const noexcept override { return events_; }
    void Signalled(std::size_t index) override;

private:
    struct Registration {
        OpenKey key;
        OwnedEvent event;
        DWORD filter = 0;
    };

    // Opens the key for notification and arms it; false when the key cannot be opened.
    bool Add(HKEY root, const std::wstring& subKey, DWORD view, DWORD filter) noexcept;

    std::vector<Registration> registrations_;
    std::vector<HANDLE> events_; // the registrations' events, in their order
};

} // namespace platform::win32
