#pragma once

#include "platform/Shell.h"

namespace platform::portable {

// The shell as a test sets it up: whether the user counts as an administrator, and how often
// that was asked.
class ScriptedShell final : public Shell {
public:
    std::int32_t IsUserAnAdmin() noexcept override
    {
        ++adminQueries;
        return isAdmin;
    }

    std::int32_t isAdmin = 1;
    int adminQueries = 0;
};

} // namespace platform::portable
