#pragma once

#include "platform/Shell.h"

namespace platform::win32 {

class Win32Shell final : public Shell {
public:
    std::int32_t IsUserAnAdmin() noexcept override;
};

} // namespace platform::win32
