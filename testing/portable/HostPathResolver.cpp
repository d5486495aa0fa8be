#include "HostPathResolver.h"

namespace platform::portable {

HostPathResolver UnchangedHostPath()
{
    return [](std::wstring_view name) -> std::optional<std::filesystem::path> {
        if (name.empty()) {
            return std::nullopt;
        }
        return std::filesystem::path(name);
    };
}

} // namespace platform::portable
