#pragma once

#include "platform/Clipboard.h"

namespace platform::win32 {

// The system clipboard. Another program may hold it open for a moment (clipboard managers
// read every change), so opening it is tried a few times before giving up.
class Win32Clipboard final : public Clipboard {
public:
    bool SetText(WindowId owner, std::wstring_view text) noexcept override;
};

} // namespace platform::win32
