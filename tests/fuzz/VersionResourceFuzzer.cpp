// libFuzzer target: any bytes, read as a PE file and as a version resource, through the same code
// the tool uses on the files named by the Run values.
#include "portable/ByteSource.h"
#include "portable/PeVersionResourceLocator.h"
#include "portable/VersionTree.h"
#include "versioninfo/VersionInfo.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

namespace {

using versioninfo::VersionInfo;

using platform::portable::FindVersionValue;

// Hands the fuzzer's bytes to VersionInfo as the version resource of every file.
class BufferResources final : public platform::VersionResources {
public:
    explicit BufferResources(std::span<const std::byte> resource) : resource_(resource) {}

    platform::ModuleHandle ModuleHandleOf(const platform::NulTerminated& /*name*/) noexcept override
    {
        return 0;
    }
    platform::ModuleHandle RunningModule() noexcept override { return 0; }
    std::uint32_t ModuleFileName(platform::ModuleHandle, std::span<wchar_t>) noexcept override
    {
        return 0;
    }
    std::uint32_t VersionResourceSize(const platform::NulTerminated& /*name*/) noexcept override
    {
        return static_cast<std::uint32_t>(resource_.size());
    }
    bool ReadVersionResource(const platform::NulTerminated& /*name*/,
                             std::span<std::byte> data) noexcept override
    {
        const std::size_t copied = std::min(resource_.size(), data.size());
        std::copy_n(resource_.begin(), copied, data.begin());
        return true;
    }
    bool QueryVersionValue(std::span<const std::byte> data, const platform::NulTerminated& subBlock,
                           platform::VersionValue& value) noexcept override
    {
        return FindVersionValue(data, subBlock, value);
    }

private:
    std::span<const std::byte> resource_;
};

void ReadAsResource(std::span<const std::byte> resource)
{
    BufferResources resources(resource);
    VersionInfo info(resources);
    info.LoadFile(L"fuzzed.exe");
    (void)info.Language();
    (void)info.CodePage();
    (void)info.CompanyName();
    (void)info.FileDescription();
    (void)info.OriginalFileName();
    (void)info.ProductName();
    (void)info.Comments();
    (void)info.FileFlags();
    (void)info.FileOS();
    (void)info.FileType();
    (void)info.FileSubType();
    platform::VersionValue value;
    (void)FindVersionValue(resource, L"\\StringFileInfo", value);
    (void)FindVersionValue(resource, L"\\VarFileInfo\\Translation\\Deeper\\Still", value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::byte> bytes(reinterpret_cast<const std::byte*>(data), size);
    const auto resource =
        platform::portable::FindVersionResource(platform::portable::SpanByteSource(bytes));
    if (resource) {
        ReadAsResource(*resource);
    }
    ReadAsResource(bytes.first(std::min<std::size_t>(bytes.size(), 64 * 1024)));
    return 0;
}
