#pragma once

#include "platform/Shell.h"
#include "platform/ShellLaunch.h"

#include <cstdint>
#include <new>
#include <string>
#include <vector>

namespace platform::portable {

// The shell as a test sets it up: whether the user counts as an administrator, and how often
// that was asked; whether a desktop shell runs; every address it was asked to open, every file
// it was asked to show in its folder or in its Properties sheet, the way each request went, and
// what it answers. Addresses and folder windows go the way the shared choice picks
// (OpenAddressUnelevated, ShowInFolderUnelevated), as on Windows.
class ScriptedShell final : public Shell, private ShellLaunch {
public:
    // Through the desktop's shell, or from the program's own process.
    enum class Way : std::uint8_t { Desktop, ThisProcess };

    bool IsAdministrator() noexcept override
    {
        ++adminQueries;
        return isAdministrator;
    }

    bool OpenAddress(WindowId owner, const NulTerminated& address,
                     const NulTerminated& startFolder) noexcept override
    {
        return OpenAddressUnelevated(*this, owner, address, startFolder);
    }

    enum class ShellActionKind : std::uint8_t { ShowInFolder, ShowProperties };
    struct ShellAction {
        ShellActionKind kind = ShellActionKind::ShowInFolder;
        WindowId owner = 0;
        std::wstring path;
        Way way = Way::ThisProcess;
    };

    bool ShowInFolder(WindowId owner, const NulTerminated& filePath) noexcept override
    {
        return ShowInFolderUnelevated(*this, owner, filePath);
    }
    bool ShowProperties(WindowId owner, const NulTerminated& filePath) noexcept override
    {
        return RecordFileAction(ShellActionKind::ShowProperties, owner, filePath, Way::ThisProcess);
    }

    struct OpenedAddress {
        WindowId owner = 0;
        std::wstring address;
        std::wstring startFolder;
        Way way = Way::ThisProcess;
    };

    bool isAdministrator = true;
    int adminQueries = 0;
    // Whether a desktop shell runs in the session.
    bool desktopShell = true;
    std::vector<OpenedAddress> openedAddresses;
    bool opens = true;
    // Every folder window and Properties sheet asked for, and what the shell answers.
    std::vector<ShellAction> shellActions;
    bool showsFiles = true;

private:
    DesktopAnswer OpenAddressOnDesktop(WindowId owner, const NulTerminated& address,
                                       const NulTerminated& startFolder) noexcept override
    {
        if (!desktopShell) {
            return DesktopAnswer::NoDesktop;
        }
        return RecordAddress(owner, address, startFolder, Way::Desktop) ? DesktopAnswer::Done
                                                                        : DesktopAnswer::Refused;
    }
    DesktopAnswer ShowInFolderOnDesktop(WindowId owner,
                                        const NulTerminated& filePath) noexcept override
    {
        if (!desktopShell) {
            return DesktopAnswer::NoDesktop;
        }
        return RecordFileAction(ShellActionKind::ShowInFolder, owner, filePath, Way::Desktop)
                   ? DesktopAnswer::Done
                   : DesktopAnswer::Refused;
    }
    bool OpenAddressHere(WindowId owner, const NulTerminated& address,
                         const NulTerminated& startFolder) noexcept override
    {
        return RecordAddress(owner, address, startFolder, Way::ThisProcess);
    }
    bool ShowInFolderHere(WindowId owner, const NulTerminated& filePath) noexcept override
    {
        return RecordFileAction(ShellActionKind::ShowInFolder, owner, filePath, Way::ThisProcess);
    }

    bool RecordAddress(WindowId owner, const NulTerminated& address,
                       const NulTerminated& startFolder, Way way) noexcept
    {
        try {
            openedAddresses.push_back(
                OpenedAddress{owner, std::wstring(address), std::wstring(startFolder), way});
        } catch (const std::bad_alloc&) {
            return false;
        }
        return opens;
    }

    bool RecordFileAction(ShellActionKind kind, WindowId owner, const NulTerminated& filePath,
                          Way way) noexcept
    {
        try {
            shellActions.push_back(ShellAction{kind, owner, std::wstring(filePath), way});
        } catch (const std::bad_alloc&) {
            return false;
        }
        return showsFiles;
    }
};

} // namespace platform::portable
