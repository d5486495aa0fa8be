#pragma once

#include "platform/Environment.h"

#include <string>
#include <utility>
#include <vector>

namespace platform::portable {

// An environment that holds the variables a test sets, and expands them by Windows' rules.
class VariableEnvironment final : public Environment {
public:
    // Defines the variable, replacing one whose name differs only in letter case.
    void Set(std::wstring_view name, std::wstring_view value);

    [[nodiscard]] std::wstring Expand(std::wstring_view text) const override;

private:
    [[nodiscard]] const std::wstring* Find(std::wstring_view name) const noexcept;

    std::vector<std::pair<std::wstring, std::wstring>> variables_;
};

} // namespace platform::portable
