#pragma once

#include <string>
#include <string_view>

namespace platform {

// The environment variables of the tool's own process.
class Environment {
public:
    virtual ~Environment() = default;

    // The text with every %NAME% of a defined variable replaced by its value, as Windows expands
    // REG_EXPAND_SZ data: names match without regard to case, a %NAME% the environment does not
    // define stays as it is, both of its % included, and a lone % is kept. The
    // text ends at its first NUL, as every string Windows expands does; one whose expansion is
    // longer than Windows allows (32,766 characters) comes back unexpanded. Throws
    // std::bad_alloc when memory runs out.
    [[nodiscard]] virtual std::wstring Expand(std::wstring_view text) const = 0;
};

} // namespace platform
