#pragma once

#include "platform/MessageBoxService.h"

namespace platform::win32 {

class Win32MessageBox final : public MessageBoxService {
public:
    std::int32_t Show(WindowId owner, std::wstring_view text, std::wstring_view title,
                      std::uint32_t style) noexcept override;
};

} // namespace platform::win32
