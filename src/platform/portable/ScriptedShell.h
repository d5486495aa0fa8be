#pragma once

#include "platform/Shell.h"

#include <string>
#include <vector>

namespace platform::portable {

// The shell as a test sets it up: whether the user counts as an administrator, and how often
// that was asked; every address it was asked to open, and what it answers.
class ScriptedShell final : public Shell {
public:
    std::int32_t IsUserAnAdmin() noexcept override
    {
        ++adminQueries;
        return isAdmin;
    }

    std::intptr_t OpenAddress(WindowId owner, std::wstring_view address,
                              std::wstring_view directory,
                              std::int32_t showCommand) noexcept override
    {
        try {
            openedAddresses.push_back(
                OpenedAddress{owner, std::wstring(address), std::wstring(directory), showCommand});
        } catch (...) {
            return kOutOfResources;
        }
        return openResult;
    }

    struct OpenedAddress {
        WindowId owner = 0;
        std::wstring address;
        std::wstring directory;
        std::int32_t showCommand = 0;
    };

    // What ShellExecute answers when it runs out of memory.
    static constexpr std::intptr_t kOutOfResources = 0;

    std::int32_t isAdmin = 1;
    int adminQueries = 0;
    std::vector<OpenedAddress> openedAddresses;
    std::intptr_t openResult = 42;
};

} // namespace platform::portable
