#include "BenchPlatform.h"

#include "portable/CaseFoldCollation.h"
#include "portable/DriveMap.h"
#include "portable/DriveMapFileSearch.h"
#include "portable/FixedClock.h"
#include "portable/HostStartupFolders.h"
#include "portable/MemoryClipboard.h"
#include "portable/MemoryRegistry.h"
#include "portable/PeVersionResources.h"
#include "portable/ScriptedChangeWatch.h"
#include "portable/ScriptedFileDialogs.h"
#include "portable/ScriptedMessageBox.h"
#include "portable/ScriptedShell.h"
#include "portable/ScriptedSignatureCheck.h"
#include "portable/VariableEnvironment.h"

#include <random>
#include <stdexcept>
#include <system_error>

#ifdef _WIN32
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32Collation.h"
#include "platform/win32/Win32Environment.h"
#include "platform/win32/Win32FileSearch.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32SignatureCheck.h"
#include "platform/win32/Win32StartupFolders.h"
#include "platform/win32/Win32VersionResources.h"
#endif

namespace tolvan::bench {
namespace {

std::filesystem::path UniqueFolder()
{
    std::random_device seed;
    return std::filesystem::temp_directory_path() / ("tolvan-bench-" + std::to_string(seed()));
}

class PortableBenchPlatform final : public BenchPlatform {
public:
    PortableBenchPlatform() : root_(UniqueFolder())
    {
        std::filesystem::create_directories(root_);
        drives_.Map(L'C', root_);
        // As Windows sets it for every process.
        environment_.Set(L"SystemRoot", L"C:\\WINDOWS");
    }
    ~PortableBenchPlatform() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }

    platform::Platform& Services() noexcept override { return services_; }
    HostPathOf HostPaths() override
    {
        return [this](std::wstring_view windowsPath) {
            const auto host = drives_.Resolve(windowsPath);
            if (!host) {
                throw std::invalid_argument("not a path on drive C:");
            }
            return *host;
        };
    }
    const char* Name() const noexcept override { return "portable"; }

private:
    std::filesystem::path root_;
    platform::portable::DriveMap drives_;
    platform::portable::MemoryRegistry registry_;
    platform::portable::ScriptedShell shell_;
    platform::portable::ScriptedMessageBox messageBox_;
    platform::portable::DriveMapFileSearch files_{drives_};
    platform::portable::CaseFoldCollation collation_;
    platform::portable::PeVersionResources versions_{drives_.Resolver()};
    platform::portable::ScriptedFileDialogs fileDialogs_;
    platform::portable::VariableEnvironment environment_;
    platform::portable::FixedClock clock_;
    platform::portable::ScriptedChangeWatch changeWatch_;
    platform::portable::MemoryClipboard clipboard_;
    platform::portable::HostStartupFolders startupFolders_{drives_};
    platform::portable::ScriptedSignatureCheck signatures_;
    platform::Platform services_{registry_,  shell_,          messageBox_,  files_, collation_,
                                 versions_,  fileDialogs_,    environment_, clock_, changeWatch_,
                                 clipboard_, startupFolders_, signatures_};
};

#ifdef _WIN32
class Win32BenchPlatform final : public BenchPlatform {
public:
    platform::Platform& Services() noexcept override { return services_; }
    HostPathOf HostPaths() override
    {
        return [](std::wstring_view windowsPath) {
            return std::filesystem::path(std::wstring(windowsPath));
        };
    }
    const char* Name() const noexcept override { return "win32"; }

private:
    platform::win32::Win32Registry registry_;
    platform::portable::ScriptedShell shell_;
    platform::portable::ScriptedMessageBox messageBox_;
    platform::win32::Win32FileSearch files_;
    platform::win32::Win32Collation collation_;
    platform::win32::Win32VersionResources versions_;
    platform::portable::ScriptedFileDialogs fileDialogs_;
    platform::win32::Win32Environment environment_;
    platform::win32::Win32Clock clock_;
    platform::portable::ScriptedChangeWatch changeWatch_;
    platform::portable::MemoryClipboard clipboard_;
    platform::win32::Win32StartupFolders startupFolders_;
    platform::win32::Win32SignatureCheck signatures_;
    platform::Platform services_{registry_,  shell_,          messageBox_,  files_, collation_,
                                 versions_,  fileDialogs_,    environment_, clock_, changeWatch_,
                                 clipboard_, startupFolders_, signatures_};
};
#endif

} // namespace

std::unique_ptr<BenchPlatform> MakePortableBenchPlatform()
{
    return std::make_unique<PortableBenchPlatform>();
}

#ifdef _WIN32
std::unique_ptr<BenchPlatform> MakeWin32BenchPlatform()
{
    return std::make_unique<Win32BenchPlatform>();
}
#endif

} // namespace tolvan::bench
