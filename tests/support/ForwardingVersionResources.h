#pragma once

#include "platform/VersionResources.h"

namespace tolvan::test {

// Passes every version call on to another implementation: the base of test wrappers that count
// or change a few of them.
class ForwardingVersionResources : public platform::VersionResources {
public:
    explicit ForwardingVersionResources(platform::VersionResources& inner) noexcept : inner_(inner)
    {
    }

    platform::ModuleHandle
    ModuleHandleOf(const platform::NulTerminated& moduleName) noexcept override
    {
        return inner_.ModuleHandleOf(moduleName);
    }
    platform::ModuleHandle RunningModule() noexcept override { return inner_.RunningModule(); }
    std::uint32_t ModuleFileName(platform::ModuleHandle module,
                                 std::span<wchar_t> buffer) noexcept override
    {
        return inner_.ModuleFileName(module, buffer);
    }
    std::uint32_t VersionResourceSize(const platform::NulTerminated& fileName) noexcept override
    {
        return inner_.VersionResourceSize(fileName);
    }
    bool ReadVersionResource(const platform::NulTerminated& fileName,
                             std::span<std::byte> data) noexcept override
    {
        return inner_.ReadVersionResource(fileName, data);
    }
    bool QueryVersionValue(std::span<const std::byte> data, const platform::NulTerminated& subBlock,
                           platform::VersionValue& value) noexcept override
    {
        return inner_.QueryVersionValue(data, subBlock, value);
    }

private:
    platform::VersionResources& inner_;
};

} // namespace tolvan::test
