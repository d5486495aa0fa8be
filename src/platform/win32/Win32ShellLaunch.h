#pragma once

#include "platform/ShellLaunch.h"

namespace platform::win32 {

// The two ways to the shell on Windows: the desktop's shell through its automation object, and
// this process's own shell functions.
class Win32ShellLaunch final : public ShellLaunch {
public:
    DesktopAnswer OpenAddressOnDesktop(WindowId owner, const NulTerminated& address,
                                       const NulTerminated& startFolder) noexcept override;
    DesktopAnswer ShowInFolderOnDesktop(WindowId owner,
                                        const NulTerminated& filePath) noexcept override;
    bool OpenAddressHere(WindowId owner, const NulTerminated& address,
                         const NulTerminated& startFolder) noexcept override;
    bool ShowInFolderHere(WindowId owner, const NulTerminated& filePath) noexcept override;
};

} // namespace platform::win32
