#pragma once

#include "Win32ShellLaunch.h"
#include "platform/Shell.h"

namespace platform::win32 {

class Win32Shell final : public Shell {
public:
    bool IsAdministrator() noexcept override;
    bool OpenAddress(WindowId owner, std::wstring_view address,
                     std::wstring_view startFolder) noexcept override;
    bool ShowInFolder(WindowId owner, std::wstring_view filePath) noexcept override;
    bool ShowProperties(WindowId owner, std::wstring_view filePath) noexcept override;

private:
    Win32ShellLaunch launch_;
};

} // namespace platform::win32
