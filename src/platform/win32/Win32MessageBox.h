#pragma once

#include "platform/MessageBoxService.h"

namespace platform::win32 {

class Win32MessageBox final : public MessageBoxService {
public:
    MessageAnswer Show(WindowId owner, std::wstring_view text, std::wstring_view title,
                       MessageButtons buttons, MessageIcon icon) noexcept override;
    [[nodiscard]] std::wstring ErrorText(ErrorCode code) const override;
};

} // namespace platform::win32
