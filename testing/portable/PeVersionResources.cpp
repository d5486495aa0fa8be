#include "PeVersionResources.h"

#include "CaseFold.h"
#include "FileByteSource.h"
#include "PeVersionResourceLocator.h"
#include "VersionTree.h"

#include <algorithm>
#include <exception>

namespace platform::portable {
namespace {

bool HasExtension(std::wstring_view name) noexcept
{
    const std::size_t dot = name.rfind(L'.');
    const std::size_t separator = name.find_last_of(L"\\/");
    return dot != std::wstring_view::npos &&
           (separator == std::wstring_view::npos || dot > separator);
}

} // namespace

PeVersionResources::PeVersionResources(HostPathResolver resolver) : resolver_(std::move(resolver))
{
}

void PeVersionResources::SetModule(std::wstring_view moduleName, std::wstring_view fileName)
{
    for (Module& module : modules_) {
        if (EqualsIgnoringCase(module.name, moduleName)) {
            module.fileName = fileName;
            return;
        }
    }
    modules_.push_back({std::wstring(moduleName), std::wstring(fileName)});
}

ModuleHandle PeVersionResources::ModuleHandleOf(const platform::NulTerminated& moduleName) noexcept
{
    // Handles are the table's positions plus one, so that 0 stays "none".
    const auto find = [this](std::wstring_view name, std::wstring_view suffix) -> ModuleHandle {
        for (std::size_t i = 0; i < modules_.size(); ++i) {
            const std::wstring_view known = modules_[i].name;
            if (known.size() == name.size() + suffix.size() &&
                EqualsIgnoringCase(known.substr(0, name.size()), name) &&
                EqualsIgnoringCase(known.substr(name.size()), suffix)) {
                return i + 1;
            }
        }
        return 0;
    };
    // Windows reads the name up to its first NUL.
    std::wstring_view name = moduleName;
    name = name.substr(0, name.find(L'\0'));
    if (name.empty()) {
        return 0;
    }
    if (HasExtension(name)) {
        return find(name, L"");
    }
    return find(name, L".dll");
}

void PeVersionResources::SetRunningModule(const std::wstring& moduleName)
{
    runningModule_ = ModuleHandleOf(moduleName);
}

std::uint32_t PeVersionResources::ModuleFileName(ModuleHandle module,
                                                 std::span<wchar_t> buffer) noexcept
{
    if (module == 0 || module > modules_.size() || buffer.empty()) {
        return 0;
    }
    const std::wstring& path = modules_[module - 1].fileName;
    // Like Windows: a path that does not fit is cut, ends in a NUL, and the buffer's size is
    // returned.
    const std::size_t copied = std::min(path.size(), buffer.size() - 1);
    std::copy_n(path.begin(), copied, buffer.begin());
    buffer[copied] = L'\0';
    return static_cast<std::uint32_t>(path.size() < buffer.size() ? copied : buffer.size());
}

std::uint32_t
PeVersionResources::VersionResourceSize(const platform::NulTerminated& fileName) noexcept
{
    return static_cast<std::uint32_t>(LoadResource(fileName).size());
}

bool PeVersionResources::ReadVersionResource(const platform::NulTerminated& fileName,
                                             std::span<std::byte> data) noexcept
{
    const std::vector<std::byte> resource = LoadResource(fileName);
    if (resource.empty()) {
        return false;
    }
    const std::size_t copied = std::min(resource.size(), data.size());
    std::copy_n(resource.begin(), copied, data.begin());
    std::fill(data.begin() + static_cast<std::ptrdiff_t>(copied), data.end(), std::byte{0});
    return true;
}

bool PeVersionResources::QueryVersionValue(std::span<const std::byte> data,
                                           const platform::NulTerminated& subBlock,
                                           VersionValue& value) noexcept
{
    return FindVersionValue(data, subBlock, value);
}

std::vector<std::byte> PeVersionResources::LoadResource(std::wstring_view fileName) const noexcept
{
    try {
        fileName = fileName.substr(0, fileName.find(L'\0'));
        if (fileName.empty() || !resolver_) {
            return {};
        }
        const auto path = resolver_(fileName);
        if (!path) {
            return {};
        }
        const auto file = FileByteSource::Open(*path);
        if (!file) {
            return {};
        }
        auto resource = FindVersionResource(*file);
        return resource ? std::move(*resource) : std::vector<std::byte>();
    } catch (const std::exception&) {
        return {};
    }
}

} // namespace platform::portable
