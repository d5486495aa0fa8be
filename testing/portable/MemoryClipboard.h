#pragma once

#include "platform/Clipboard.h"

#include <string>

namespace platform::portable {

// A clipboard of the process's own: it holds the last text put on it, as far as another program
// would read it. A test makes it
// unavailable, as when another program keeps the clipboard open.
class MemoryClipboard final : public Clipboard {
public:
    bool SetText(WindowId owner, std::wstring_view newText) noexcept override;

    std::wstring text;
    bool available = true;
    WindowId lastOwner = 0;
};

} // namespace platform::portable
