#pragma once

#include "platform/Shell.h"

#include <new>
#include <string>
#include <vector>

namespace platform::portable {

// The shell as a test sets it up: whether the user counts as an administrator, and how often
// that was asked; every address it was asked to open, and what it answers.
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

    struct OpenedAddress {
        WindowId owner = 0;
        std::wstring address;
        std::wstring startFolder;
    };

    bool isAdministrator = true;
    int adminQueries = 0;
    std::vector<OpenedAddress> openedAddresses;
    bool opens = true;
};

} // namespace platform::portable
