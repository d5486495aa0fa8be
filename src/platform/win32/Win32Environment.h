#pragma once

#include "platform/Environment.h"

namespace platform::win32 {

class Win32Environment final : public Environment {
public:
    [[nodiscard]] std::wstring Expand(std::wstring_view text) const override;
};

} // namespace platform::win32
