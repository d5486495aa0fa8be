#pragma once

#include "platform/Registry.h"

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace tolvan::test {

// A registry the contract tests run against: the in-memory one everywhere, the real one under
// Wine. Reset() removes everything the tests write, so each test starts from a known state.
class RegistryBackend {
public:
    virtual ~RegistryBackend() = default;

    [[nodiscard]] virtual platform::Registry& Registry() = 0;
    virtual void Reset() = 0;
    [[nodiscard]] virtual bool KeyExists(platform::RootKey root, std::wstring_view subKey) = 0;
    // Keys the backend knows to be open, where it can count them.
    [[nodiscard]] virtual std::optional<int> OpenKeyCount() const = 0;
    // Registry calls made so far, where the backend can count them.
    [[nodiscard]] virtual std::optional<long long> CallCount() const = 0;
};

struct BackendKind {
    std::string name;
    std::function<std::unique_ptr<RegistryBackend>()> make;
};

// How a backend appears in test names and messages.
inline void PrintTo(const BackendKind& kind, std::ostream* out)
{
    *out << kind.name;
}

// Every backend this build can test: "portable", and "win32" in Windows builds.
std::vector<BackendKind> AllRegistryBackends();

// The key the tests use for operations that need no particular place.
inline constexpr platform::NulTerminated kScratchKey = L"Software\\TolvanTests\\Scratch";

} // namespace tolvan::test
