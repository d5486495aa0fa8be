#include "DriveMapFileSearch.h"

#include "HostName.h"
#include "WildcardMatch.h"
#include "WindowsPath.h"

#include <exception>
#include <string>
#include <system_error>

namespace platform::portable {
namespace {

bool IsFile(const std::filesystem::path& host) noexcept
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(host, error);
    return !error && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

bool AnyFileInFolderMatches(const std::filesystem::path& folder, std::wstring_view pattern)
{
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    if (error) {
        return false;
    }
    for (; entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        if (error) {
            return false;
        }
        if (MatchesWildcard(pattern, FromHostName(entries->path().filename())) &&
            IsFile(entries->path())) {
            return true;
        }
    }
    return false;
}

} // namespace

bool DriveMapFileSearch::AnyFileMatches(std::wstring_view pattern) noexcept
{
    ++searches_;
    try {
        const std::optional<WindowsPath> parsed = ParseWindowsPath(pattern);
        if (!parsed || parsed->endsWithSeparator || parsed->components.empty()) {
            return false;
        }
        const std::wstring& last = parsed->components.back();
        if (!HasWildcard(last)) {
            const std::optional<std::filesystem::path> host = drives_.Resolve(pattern);
            return host && IsFile(*host);
        }
        std::wstring folder(1, parsed->drive);
        folder += L":";
        for (std::size_t i = 0; i + 1 < parsed->components.size(); ++i) {
            folder += L'\\';
            folder += parsed->components[i];
        }
        folder += L'\\';
        const std::optional<std::filesystem::path> hostFolder = drives_.Resolve(folder);
        return hostFolder && AnyFileInFolderMatches(*hostFolder, last);
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace platform::portable
