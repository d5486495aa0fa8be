#pragma once

#include "platform/Shell.h"

#include <cstdint>
#include <new>
#include <string>
#include <vector>

namespace platform::portable {

// The shell as a test sets it up: whether the user counts as an administrator, and how often
// that was asked; every address it was asked to open, every file it was asked to show in its
// folder or in its Properties sheet, and what it answers.
class ScriptedShell final : public Shell {
public:
    bool IsAdministrator() noexcept override
    {
        ++adminQueries;
        return isAdministrator;
    }

    bool OpenAddress(WindowId owner, std::wstring_view address,
                     std::wstring_view startFolder) noexcept override
    {
        try {
            openedAddresses.push_back(
                OpenedAddress{owner, std::wstring(address), std::wstring(startFolder)});
        } catch (const std::bad_alloc&) {
            return false;
        }
        return opens;
    }

    enum class ShellActionKind : std::uint8_t { ShowInFolder, ShowProperties };
    struct ShellAction {
        ShellActionKind kind = ShellActionKind::ShowInFolder;
        WindowId owner = 0;
        std::wstring path;
    };

    bool ShowInFolder(WindowId owner, std::wstring_view filePath) noexcept override
    {
        return Record(ShellActionKind::ShowInFolder, owner, filePath);
    }
    bool ShowProperties(WindowId owner, std::wstring_view filePath) noexcept override
    {
        return Record(ShellActionKind::ShowProperties, owner, filePath);
    }

    struct OpenedAddress {
        WindowId owner = 0;
        std::wstring address;
        std::wstring startFolder;
    };

    bool isAdministrator = true;
    int adminQueries = 0;
    std::vector<OpenedAddress> openedAddresses;
    bool opens = true;
    // Every folder window and Properties sheet asked for, and what the shell answers.
    std::vector<ShellAction> shellActions;
    bool showsFiles = true;

private:
    bool Record(ShellActionKind kind, WindowId owner, std::wstring_view filePath) noexcept
    {
        try {
            shellActions.push_back(ShellAction{kind, owner, std::wstring(filePath)});
        } catch (const std::bad_alloc&) {
            return false;
        }
        return showsFiles;
    }
};

} // namespace platform::portable
