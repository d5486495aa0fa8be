#pragma once

#include "MessageBoxService.h"

#include <string_view>

namespace platform {

class Shell {
public:
    virtual ~Shell() = default;

    // Whether the process runs with administrator rights.
    [[nodiscard]] virtual bool IsAdministrator() noexcept = 0;

    // Hands the address (a web address, a document or a program) to whatever the system opens it
    // with, on behalf of `owner`, with `startFolder` as the working folder. True when the shell
    // took it; the program it starts shows itself as it sees fit.
    [[nodiscard]] virtual bool OpenAddress(WindowId owner, const NulTerminated& address,
                                           const NulTerminated& startFolder) noexcept = 0;

    // Opens a folder window on the file's folder with the file selected. True when the shell did.
    [[nodiscard]] virtual bool ShowInFolder(WindowId owner,
                                            const NulTerminated& filePath) noexcept = 0;
    // Opens the file's Properties sheet. True when the shell did.
    [[nodiscard]] virtual bool ShowProperties(WindowId owner,
                                              const NulTerminated& filePath) noexcept = 0;
};

} // namespace platform
