#pragma once

#include "CountingServices.h"
#include "RegistryBackend.h"
#include "platform/Platform.h"
#include "portable/DriveMap.h"
#include "portable/HostStartupFolders.h"
#include "portable/MemoryClipboard.h"
#include "portable/ScriptedChangeWatch.h"
#include "portable/ScriptedFileDialogs.h"
#include "portable/ScriptedMessageBox.h"
#include "portable/ScriptedShell.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tolvan::test {

// A whole platform for the tests of the entry table: the portable one natively, and also the
// real one under Wine. The file system is the real C: drive under Wine (the prefix's own) and a
// temporary folder standing in for C: otherwise; files a test puts there are removed again when
// the backend goes. Message boxes are always scripted, and file searches and version reads are
// counted on both.
class PlatformBackend {
public:
    virtual ~PlatformBackend();
    PlatformBackend(const PlatformBackend&) = delete;
    PlatformBackend& operator=(const PlatformBackend&) = delete;

    [[nodiscard]] platform::Platform& Services() noexcept { return *services_; }
    [[nodiscard]] platform::portable::ScriptedMessageBox& Messages() noexcept
    {
        return messageBox_;
    }
    [[nodiscard]] CountingFileSearch& Files() noexcept { return *files_; }
    [[nodiscard]] CountingVersionResources& Versions() noexcept { return *versions_; }
    [[nodiscard]] RegistryBackend& Registry() noexcept { return *registry_; }

    // Where a Windows path of the C: drive lives on this machine.
    [[nodiscard]] virtual std::filesystem::path HostPath(std::wstring_view windowsPath) = 0;
    // A drive letter that names no drive.
    [[nodiscard]] virtual wchar_t MissingDrive() = 0;
    // Marks the file hidden and system; false where the file system has no such attributes.
    virtual bool MakeHiddenSystem(std::wstring_view windowsPath) = 0;
    // Defines an environment variable the tool's expansions see, until the backend goes.
    virtual void SetVariable(std::wstring_view name, std::wstring_view value) = 0;

    // Writes a file (folders made as needed) with these bytes, or copies one from the host.
    void PutFile(std::wstring_view windowsPath, std::span<const std::byte> content = {});
    void PutCopyOf(std::wstring_view windowsPath, const std::filesystem::path& source);
    void PutFolder(std::wstring_view windowsPath);

protected:
    PlatformBackend() = default;
    // Builds the bundle over these services; called once by the derived constructor.
    void Assemble(std::unique_ptr<RegistryBackend> registry, platform::FileSearch& files,
                  platform::Collation& collation, platform::VersionResources& versions,
                  platform::Environment& environment, platform::Clock& clock,
                  platform::SignatureCheck& signatures);

private:
    void Remember(const std::filesystem::path& made);

    std::unique_ptr<RegistryBackend> registry_;
    platform::portable::ScriptedShell shell_;
    platform::portable::ScriptedChangeWatch changeWatch_;
    platform::portable::ScriptedMessageBox messageBox_;
    platform::portable::ScriptedFileDialogs fileDialogs_;
    platform::portable::MemoryClipboard clipboard_;
    // The tables of these tests are read from the Run keys alone.
    platform::portable::DriveMap noDrives_;
    platform::portable::HostStartupFolders noStartupFolders_{noDrives_};
    std::unique_ptr<CountingFileSearch> files_;
    std::unique_ptr<CountingVersionResources> versions_;
    std::unique_ptr<platform::Platform> services_;
    std::vector<std::filesystem::path> made_; // removed in reverse order
};

struct PlatformKind {
    std::string name;
    std::function<std::unique_ptr<PlatformBackend>()> make;
};

inline void PrintTo(const PlatformKind& kind, std::ostream* out)
{
    *out << kind.name;
}

// "portable", and "win32" in Windows builds.
std::vector<PlatformKind> AllPlatformBackends();

} // namespace tolvan::test

#define TOLVAN_FOR_EACH_PLATFORM(Suite)                                                            \
    INSTANTIATE_TEST_SUITE_P(Platforms, Suite,                                                     \
                             ::testing::ValuesIn(::tolvan::test::AllPlatformBackends()),           \
                             [](const auto& info) { return info.param.name; })
