#pragma once

#include "platform/FileDialogs.h"

namespace platform::win32 {

class Win32FileDialogs final : public FileDialogs {
public:
    bool ShowOpenDialog(OpenFileRecord& record) noexcept override;
};

} // namespace platform::win32
