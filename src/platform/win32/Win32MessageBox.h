#pragma once

#include "platform/MessageBoxService.h"

namespace platform::win32 {

class Win32MessageBox final : public MessageBoxService {
public:
    MessageAnswer Show(WindowId owner, const NulTerminated& text, const NulTerminated& title,
                       MessageButtons buttons, MessageIcon icon) noexcept override;
    [[nodiscard]] std::wstring ErrorText(ErrorCode code) const override;
};

} // namespace platform::win32
