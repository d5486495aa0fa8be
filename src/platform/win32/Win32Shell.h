#pragma once

#include "platform/Shell.h"

namespace platform::win32 {

class Win32Shell final : public Shell {
public:
    std::int32_t IsUserAnAdmin() noexcept override;
    std::intptr_t OpenAddress(WindowId owner, std::wstring_view address,
                              std::wstring_view directory,
                              std::int32_t showCommand) noexcept override;
};

} // namespace platform::win32
