#pragma once

#include "platform/VersionResources.h"

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace tolvan::test {

// Version resources the tests run against: the PE reader everywhere, Windows' own functions
// under Wine.
class VersionBackend {
public:
    virtual ~VersionBackend() = default;

    [[nodiscard]] virtual platform::VersionResources& Resources() = 0;
    // Makes the library `fileName` a module loaded in the process, found by `moduleName`.
    [[nodiscard]] virtual bool LoadModule(std::wstring_view moduleName,
                                          std::wstring_view fileName) = 0;
};

struct VersionBackendKind {
    std::string name;
    std::function<std::unique_ptr<VersionBackend>()> make;
};

inline void PrintTo(const VersionBackendKind& kind, std::ostream* out)
{
    *out << kind.name;
}

// "portable", and "win32" in Windows builds.
std::vector<VersionBackendKind> AllVersionBackends();

} // namespace tolvan::test
