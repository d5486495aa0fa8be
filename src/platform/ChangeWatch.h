#pragma once

#include "Registry.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace platform {

// A key to watch: a hive, the path below it and the view it is opened in (reg::kView64Bit,
// reg::kView32Bit or 0).
struct WatchedKey {
    RootKey root = 0;
    std::wstring subKey;
    std::uint32_t view = 0;
};

// Tells when keys or folders change: in a key a value set, added or deleted, a subkey added or
// deleted, the key itself created or deleted; in a folder a file added, deleted, renamed or
// written. Changes are told on the thread that runs the windows, between messages, and
// never while a Windows dialog of its own (a message box, the file chooser) runs its loop.
class ChangeWatch {
public:
    virtual ~ChangeWatch() = default;

    // Watches these keys and folders from now on, in place of any watched before, and forgets
    // the changes made until now: whoever reads them after this call misses nothing, and is not
    // told again of what it read. A key or folder that does not exist is watched for its
    // creation. False when one of them cannot be watched (Windows refuses, or runs out of
    // something): its changes would go untold, and the caller must look for them itself.
    // Throws std::bad_alloc only.
    [[nodiscard]] virtual bool Watch(std::span<const WatchedKey> keys,
                                     std::span<const std::wstring> folders) = 0;
    // Watches nothing any more.
    virtual void Stop() noexcept = 0;

    // Called once for each change noticed; several changes close together may be told as one.
    std::function<void()> onChange;
    // Called when the watch stops following after Watch succeeded (waiting on it failed): from
    // then on, nothing is told until Watch is called again.
    std::function<void()> onLost;
};

} // namespace platform
