#include "DriveMap.h"

#include "CaseFold.h"
#include "HostName.h"
#include "WindowsPath.h"

#include <exception>
#include <system_error>

namespace platform::portable {
namespace {

std::optional<std::size_t> DriveIndex(wchar_t drive) noexcept
{
    if (drive >= L'A' && drive <= L'Z') {
        return static_cast<std::size_t>(drive - L'A');
    }
    if (drive >= L'a' && drive <= L'z') {
        return static_cast<std::size_t>(drive - L'a');
    }
    return std::nullopt;
}

} // namespace

void DriveMap::Map(wchar_t drive, std::filesystem::path hostFolder)
{
    if (const auto index = DriveIndex(drive)) {
        roots_[*index] = std::move(hostFolder);
    }
}

std::optional<std::filesystem::path> DriveMap::Root(wchar_t drive) const noexcept
{
    try {
        if (const auto index = DriveIndex(drive)) {
            return roots_[*index];
        }
    } catch (const std::exception&) {
        // A copy of the path that cannot be made answers as an unmapped drive.
    }
    return std::nullopt;
}

std::optional<std::filesystem::path> DriveMap::Resolve(std::wstring_view windowsPath) const noexcept
{
    try {
        const std::optional<WindowsPath> parsed = ParseWindowsPath(windowsPath);
        if (!parsed) {
            return std::nullopt;
        }
        std::optional<std::filesystem::path> host = Root(parsed->drive);
        if (!host) {
            return std::nullopt;
        }
        bool existing = true;
        for (const std::wstring& component : parsed->components) {
            if (HasWildcard(component)) {
                return std::nullopt;
            }
            std::optional<std::filesystem::path> found;
            if (existing) {
                found = FindEntryIgnoringCase(*host, component);
            }
            if (found) {
                host = std::move(*found);
            } else {
                // Below a name that does not exist nothing can exist either.
                existing = false;
                *host /= ToHostName(component);
            }
        }
        return host;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::function<std::optional<std::filesystem::path>(std::wstring_view)> DriveMap::Resolver() const
{
    return [this](std::wstring_view windowsPath) { return Resolve(windowsPath); };
}

std::optional<std::filesystem::path> FindEntryIgnoringCase(const std::filesystem::path& folder,
                                                           std::wstring_view name) noexcept
{
    try {
        std::error_code error;
        std::filesystem::path exact = folder / ToHostName(name);
        if (std::filesystem::exists(std::filesystem::symlink_status(exact, error))) {
            return exact;
        }
        std::filesystem::directory_iterator entries(folder, error);
        if (error) {
            return std::nullopt;
        }
        for (; entries != std::filesystem::directory_iterator(); entries.increment(error)) {
            if (error) {
                return std::nullopt;
            }
            const std::filesystem::path& candidate = entries->path();
            if (EqualsIgnoringCase(FromHostName(candidate.filename()), name)) {
                return candidate;
            }
        }
    } catch (const std::exception&) {
        // An unreadable folder holds nothing we can name.
    }
    return std::nullopt;
}

} // namespace platform::portable
