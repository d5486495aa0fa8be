#pragma once

#include "HostPathResolver.h"
#include "platform/VersionResources.h"

#include <string>
#include <string_view>
#include <vector>

namespace platform::portable {

// Version resources read straight out of PE files (32- and 64-bit), without Windows. Every
// offset and length in the file is checked, so any file, however made, is safe to read. Modules
// "loaded in the process" are the ones a test has named with SetModule.
class PeVersionResources final : public VersionResources {
public:
    explicit PeVersionResources(HostPathResolver resolver = UnchangedHostPath());

    // Makes `moduleName` a loaded module whose path is `fileName` (a Windows-style name that the
    // resolver maps to a host file). Names match without regard to case; a name without an
    // extension also finds "<name>.dll", as Windows does.
    void SetModule(std::wstring_view moduleName, std::wstring_view fileName);
    // Makes the module set under this name the program itself.
    void SetRunningModule(const std::wstring& moduleName);

    ModuleHandle ModuleHandleOf(const platform::NulTerminated& moduleName) noexcept override;
    ModuleHandle RunningModule() noexcept override { return runningModule_; }
    std::uint32_t ModuleFileName(ModuleHandle module, std::span<wchar_t> buffer) noexcept override;
    std::uint32_t VersionResourceSize(const platform::NulTerminated& fileName) noexcept override;
    bool ReadVersionResource(const platform::NulTerminated& fileName,
                             std::span<std::byte> data) noexcept override;
    bool QueryVersionValue(std::span<const std::byte> data, const platform::NulTerminated& subBlock,
                           VersionValue& value) noexcept override;

private:
    struct Module {
        std::wstring name;
        std::wstring fileName;
    };

    // The file's version resource, or nothing when there is none or the file cannot be read.
    [[nodiscard]] std::vector<std::byte> LoadResource(std::wstring_view fileName) const noexcept;

    HostPathResolver resolver_;
    std::vector<Module> modules_;
    ModuleHandle runningModule_ = 0;
};

} // namespace platform::portable
