#include "PlatformBackend.h"

#include "FixtureSignatures.h"
#include "portable/CaseFoldCollation.h"
#include "portable/DriveMap.h"
#include "portable/DriveMapFileSearch.h"
#include "portable/FixedClock.h"
#include "portable/PeVersionResources.h"
#include "portable/VariableEnvironment.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <stdexcept>
#include <system_error>

#ifdef _WIN32
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32Collation.h"
#include "platform/win32/Win32Environment.h"
#include "platform/win32/Win32FileSearch.h"
#include "platform/win32/Win32SignatureCheck.h"
#include "platform/win32/Win32VersionResources.h"

#include <windows.h>
#endif

namespace tolvan::test {
namespace {

std::unique_ptr<RegistryBackend> MakeRegistry(const std::string& name)
{
    for (const BackendKind& kind : AllRegistryBackends()) {
        if (kind.name == name) {
            return kind.make();
        }
    }
    throw std::logic_error("no registry backend " + name);
}

// A folder of its own under the host's temporary folder.
std::filesystem::path FreshTemporaryFolder()
{
    static std::atomic<unsigned> counter{0};
    std::random_device seed;
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        ("tolvan-drive-" + std::to_string(seed()) + "-" + std::to_string(++counter));
    std::filesystem::create_directories(folder);
    return folder;
}

class PortablePlatform final : public PlatformBackend {
public:
    PortablePlatform()
        : root_(FreshTemporaryFolder()), search_(drives_), versions_(drives_.Resolver())
    {
        drives_.Map(L'C', root_);
        Assemble(MakeRegistry("portable"), search_, collation_, versions_, environment_, clock_,
                 signatures_);
    }
    ~PortablePlatform() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }

    std::filesystem::path HostPath(std::wstring_view windowsPath) override
    {
        const auto host = drives_.Resolve(windowsPath);
        if (!host) {
            throw std::invalid_argument("not a path on drive C:");
        }
        return *host;
    }
    wchar_t MissingDrive() override { return L'Q'; }
    bool MakeHiddenSystem(std::wstring_view) override { return false; }
    void SetVariable(std::wstring_view name, std::wstring_view value) override
    {
        environment_.Set(name, value);
    }

private:
    std::filesystem::path root_;
    platform::portable::DriveMap drives_;
    platform::portable::DriveMapFileSearch search_;
    platform::portable::CaseFoldCollation collation_;
    platform::portable::PeVersionResources versions_;
    platform::portable::VariableEnvironment environment_;
    platform::portable::FixedClock clock_;
    FixtureSignatures signatures_{drives_};
};

#ifdef _WIN32
class Win32TestPlatform final : public PlatformBackend {
public:
    Win32TestPlatform()
    {
        Assemble(MakeRegistry("win32"), search_, collation_, versions_, environment_, clock_,
                 signatures_);
    }
    ~Win32TestPlatform() override
    {
        for (const std::wstring& name : variablesSet_) {
            SetEnvironmentVariableW(name.c_str(), nullptr);
        }
    }

    std::filesystem::path HostPath(std::wstring_view windowsPath) override
    {
        return std::filesystem::path(std::wstring(windowsPath));
    }
    wchar_t MissingDrive() override
    {
        const DWORD present = GetLogicalDrives();
        for (wchar_t drive = L'Y'; drive > L'D'; --drive) {
            if ((present & (1u << (drive - L'A'))) == 0) {
                return drive;
            }
        }
        throw std::runtime_error("every drive letter is taken");
    }
    bool MakeHiddenSystem(std::wstring_view windowsPath) override
    {
        const std::wstring path(windowsPath);
        return SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM) !=
               FALSE;
    }
    // The process's own environment; what a test sets is removed again when the backend goes.
    void SetVariable(std::wstring_view name, std::wstring_view value) override
    {
        const std::wstring variable(name);
        const std::wstring text(value);
        if (SetEnvironmentVariableW(variable.c_str(), text.c_str()) == FALSE) {
            throw std::runtime_error("cannot set an environment variable");
        }
        variablesSet_.push_back(variable);
    }

private:
    platform::win32::Win32FileSearch search_;
    platform::win32::Win32Collation collation_;
    platform::win32::Win32VersionResources versions_;
    platform::win32::Win32Environment environment_;
    platform::win32::Win32Clock clock_;
    platform::win32::Win32SignatureCheck signatures_;
    std::vector<std::wstring> variablesSet_;
};
#endif

} // namespace

PlatformBackend::~PlatformBackend()
{
    std::for_each(made_.rbegin(), made_.rend(), [](const std::filesystem::path& made) {
#ifdef _WIN32
        // A hidden system file can be removed like any other once it is a normal file again.
        SetFileAttributesW(made.c_str(), FILE_ATTRIBUTE_NORMAL);
#endif
        std::error_code ignored;
        std::filesystem::remove(made, ignored);
    });
    if (registry_) {
        registry_->Reset();
    }
}

void PlatformBackend::Assemble(std::unique_ptr<RegistryBackend> registry,
                               platform::FileSearch& files, platform::Collation& collation,
                               platform::VersionResources& versions,
                               platform::Environment& environment, platform::Clock& clock,
                               platform::SignatureCheck& signatures)
{
    registry_ = std::move(registry);
    registry_->Reset();
    files_ = std::make_unique<CountingFileSearch>(files);
    versions_ = std::make_unique<CountingVersionResources>(versions);
    services_ = std::make_unique<platform::Platform>(platform::Platform{
        registry_->Registry(), shell_, messageBox_, *files_, collation, *versions_, fileDialogs_,
        environment, clock, changeWatch_, clipboard_, noStartupFolders_, signatures});
}

void PlatformBackend::Remember(const std::filesystem::path& made)
{
    made_.push_back(made);
}

void PlatformBackend::PutFolder(std::wstring_view windowsPath)
{
    const std::filesystem::path host = HostPath(windowsPath);
    std::vector<std::filesystem::path> missing;
    for (std::filesystem::path at = host; !at.empty() && !std::filesystem::exists(at);
         at = at.parent_path()) {
        missing.push_back(at);
        if (at == at.parent_path()) {
            break;
        }
    }
    std::filesystem::create_directories(host);
    std::for_each(missing.rbegin(), missing.rend(),
                  [this](const std::filesystem::path& made) { Remember(made); });
}

void PlatformBackend::PutFile(std::wstring_view windowsPath, std::span<const std::byte> content)
{
    const std::filesystem::path host = HostPath(windowsPath);
    const std::wstring text(windowsPath);
    if (const std::size_t slash = text.find_last_of(L'\\'); slash > 2) { // not at a drive's root
        PutFolder(text.substr(0, slash));
    }
    std::ofstream out(host, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(content.data()),
              static_cast<std::streamsize>(content.size()));
    out.close();
    ASSERT_TRUE(out) << "cannot write " << host.string();
    Remember(host);
}

void PlatformBackend::PutCopyOf(std::wstring_view windowsPath, const std::filesystem::path& source)
{
    const std::filesystem::path host = HostPath(windowsPath);
    const std::wstring text(windowsPath);
    PutFolder(text.substr(0, text.find_last_of(L'\\')));
    std::filesystem::copy_file(source, host, std::filesystem::copy_options::overwrite_existing);
    Remember(host);
}

std::vector<PlatformKind> AllPlatformBackends()
{
    std::vector<PlatformKind> kinds{
        {"portable", [] { return std::make_unique<PortablePlatform>(); }},
    };
#ifdef _WIN32
    kinds.push_back({"win32", [] { return std::make_unique<Win32TestPlatform>(); }});
#endif
    return kinds;
}

} // namespace tolvan::test
