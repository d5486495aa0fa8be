#include "RunningProgram.h"

#include "versioninfo/VersionInfo.h"

#include <vector>

namespace ui {
namespace {

// The longest path Windows hands out, and its NUL.
constexpr std::size_t kPathCapacity = 32768;

} // namespace

std::wstring RunningProgramPath(platform::VersionResources& resources)
{
    std::vector<wchar_t> path(kPathCapacity);
    const std::uint32_t length = resources.ModuleFileName(resources.RunningModule(), path);
    // A path that filled the whole buffer may have been cut: it would name another file.
    if (length >= path.size()) {
        return {};
    }
    return std::wstring(path.data(), length);
}

std::wstring RunningProgramVersion(platform::VersionResources& resources)
{
    versioninfo::VersionInfo info(resources);
    info.LoadFile(RunningProgramPath(resources));
    const auto parts = info.FileVersionParts();
    return L"v" + std::to_wstring(parts[0]) + L"." + std::to_wstring(parts[1]) + L"." +
           std::to_wstring(parts[3]);
}

} // namespace ui
