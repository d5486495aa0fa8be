#include "VersionBackend.h"

#include "platform/UniqueHandle.h"
#include "portable/PeVersionResources.h"

#ifdef _WIN32
#include "platform/win32/Win32VersionResources.h"

#include <windows.h>
#endif

namespace tolvan::test {
namespace {

class PortableVersionBackend final : public VersionBackend {
public:
    platform::VersionResources& Resources() override { return resources_; }
    bool LoadModule(std::wstring_view moduleName, std::wstring_view fileName) override
    {
        resources_.SetModule(moduleName, fileName);
        return true;
    }

private:
    platform::portable::PeVersionResources resources_;
};

#ifdef _WIN32
struct LibraryTraits {
    using pointer = HMODULE;
    static constexpr HMODULE Invalid() noexcept { return nullptr; }
    static void Close(HMODULE module) noexcept { FreeLibrary(module); }
};

class Win32VersionBackend final : public VersionBackend {
public:
    platform::VersionResources& Resources() override { return resources_; }
    bool LoadModule(std::wstring_view, std::wstring_view fileName) override
    {
        const std::wstring path(fileName);
        libraries_.emplace_back(LoadLibraryW(path.c_str()));
        return static_cast<bool>(libraries_.back());
    }

private:
    platform::win32::Win32VersionResources resources_;
    std::vector<platform::UniqueHandle<LibraryTraits>> libraries_;
};
#endif

} // namespace

std::vector<VersionBackendKind> AllVersionBackends()
{
    std::vector<VersionBackendKind> kinds{
        {"portable", [] { return std::make_unique<PortableVersionBackend>(); }},
    };
#ifdef _WIN32
    kinds.push_back({"win32", [] { return std::make_unique<Win32VersionBackend>(); }});
#endif
    return kinds;
}

} // namespace tolvan::test
