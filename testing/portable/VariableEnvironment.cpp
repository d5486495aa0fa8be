#include "VariableEnvironment.h"

#include "CaseFold.h"

#include <algorithm>

namespace platform::portable {
namespace {

// The most characters Windows expands, the terminating NUL included.
constexpr std::size_t kLongestExpansion = 32767;

} // namespace

const std::wstring* VariableEnvironment::Find(std::wstring_view name) const noexcept
{
    const auto found =
        std::find_if(variables_.begin(), variables_.end(), [&](const auto& variable) {
            return EqualsIgnoringCase(variable.first, name);
        });
    return found == variables_.end() ? nullptr : &found->second;
}

void VariableEnvironment::Set(std::wstring_view name, std::wstring_view value)
{
    const auto found =
        std::find_if(variables_.begin(), variables_.end(), [&](const auto& variable) {
            return EqualsIgnoringCase(variable.first, name);
        });
    if (found != variables_.end()) {
        found->second = std::wstring(value);
    } else {
        variables_.emplace_back(std::wstring(name), std::wstring(value));
    }
}

std::wstring VariableEnvironment::Expand(std::wstring_view text) const
{
    // Windows reads the text as a C string.
    text = text.substr(0, text.find(L'\0'));
    std::wstring expanded;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t open = text.find(L'%', at);
        if (open == std::wstring_view::npos) {
            expanded.append(text.substr(at));
            break;
        }
        expanded.append(text.substr(at, open - at));
        const std::size_t close = text.find(L'%', open + 1);
        if (close == std::wstring_view::npos) {
            expanded.append(text.substr(open));
            break;
        }
        const std::wstring_view name = text.substr(open + 1, close - open - 1);
        if (const std::wstring* value = name.empty() ? nullptr : Find(name)) {
            expanded.append(*value);
            at = close + 1;
        } else {
            // Not a variable: the reference stays whole, both of its % included.
            expanded.append(text.substr(open, close - open + 1));
            at = close + 1;
        }
    }
    if (expanded.size() >= kLongestExpansion) {
        return std::wstring(text);
    }
    return expanded;
}

} // namespace platform::portable
