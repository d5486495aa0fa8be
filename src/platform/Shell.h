#pragma once

#include <cstdint>

namespace platform {

class Shell {
public:
    virtual ~Shell() = default;

    // IsUserAnAdmin: nonzero when the process runs with administrator rights.
    [[nodiscard]] virtual std::int32_t IsUserAnAdmin() noexcept = 0;
};

} // namespace platform
