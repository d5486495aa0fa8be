#pragma once

#include "platform/ShellLaunch.h"

namespace platform::win32 {

// The two ways to the shell on Windows: the desktop's shell through its automation object, and
// this process's own shell functions.
class Win32ShellLaunch final : public ShellLaunch {
public:
    DesktopAnswer OpenAddressOnDesktop(WindowId owner, std::wstring_view address,
                                       std::wstring_view startFolder) noexcept override;
    DesktopAnswer ShowInFolderOnDesktop(WindowId owner,
                                        std::wstring_view filePath) noexcept override;
    bool OpenAddressHere(WindowId owner, std::wstring_view address,
                         std::wstring_view startFolder) noexcept override;
    bool ShowInFolderHere(WindowId owner, std::wstring_view filePath) noexcept override;
};

} // namespace platform::win32
