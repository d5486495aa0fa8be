#include "ShellLaunch.h"

namespace platform {

bool OpenAddressUnelevated(ShellLaunch& launch, WindowId owner, const NulTerminated& address,
                           const NulTerminated& startFolder) noexcept
{
    switch (launch.OpenAddressOnDesktop(owner, address, startFolder)) {
    case DesktopAnswer::Done:
        return true;
    case DesktopAnswer::Refused:
        return false;
    case DesktopAnswer::NoDesktop:
        break;
    }
    return launch.OpenAddressHere(owner, address, startFolder);
}

bool ShowInFolderUnelevated(ShellLaunch& launch, WindowId owner,
                            const NulTerminated& filePath) noexcept
{
    switch (launch.ShowInFolderOnDesktop(owner, filePath)) {
    case DesktopAnswer::Done:
        return true;
    case DesktopAnswer::Refused:
        return false;
    case DesktopAnswer::NoDesktop:
        break;
    }
    return launch.ShowInFolderHere(owner, filePath);
}

} // namespace platform
