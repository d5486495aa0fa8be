#pragma once

#include "MessageBoxService.h"

#include <cstdint>
#include <string_view>

namespace platform {

class Shell {
public:
    virtual ~Shell() = default;

    // IsUserAnAdmin: nonzero when the process runs with administrator rights.
    [[nodiscard]] virtual std::int32_t IsUserAnAdmin() noexcept = 0;

    // ShellExecuteW with the default verb and no parameters: hands the address (a web address,
    // a document or a program) to whatever the system opens it with. The result is ShellExecute's:
    // greater than 32 when the shell took the address, otherwise the reason it did not.
    [[nodiscard]] virtual std::intptr_t OpenAddress(WindowId owner, std::wstring_view address,
                                                    std::wstring_view directory,
                                                    std::int32_t showCommand) noexcept = 0;
};

} // namespace platform
