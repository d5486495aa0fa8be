#pragma once

#include "MessageBoxService.h"

#include <string_view>

namespace platform {

class Clipboard {
public:
    virtual ~Clipboard() = default;

    // Puts the text on the clipboard as Unicode text, on behalf of owner, replacing whatever it
    // held; false when the clipboard could not be had.
    [[nodiscard]] virtual bool SetText(WindowId owner, std::wstring_view text) noexcept = 0;
};

} // namespace platform
