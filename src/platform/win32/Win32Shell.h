#pragma once

#include "Win32ShellLaunch.h"
#include "platform/Shell.h"

namespace platform::win32 {

class Win32Shell final : public Shell {
public:
    bool IsAdministrator() noexcept override;
    bool OpenAddress(WindowId owner, const NulTerminated& address,
                     const NulTerminated& startFolder) noexcept override;
    bool ShowInFolder(WindowId owner, const NulTerminated& filePath) noexcept override;
    bool ShowProperties(WindowId owner, const NulTerminated& filePath) noexcept override;

private:
    Win32ShellLaunch launch_;
};

} // namespace platform::win32
