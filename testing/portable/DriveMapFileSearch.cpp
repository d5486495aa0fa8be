#include "DriveMapFileSearch.h"

#include "HostName.h"
#include "WildcardMatch.h"
#include "WindowsPath.h"

#include <chrono>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <fstream>
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

// FILETIME steps from 1601-01-01 to 1970-01-01.
constexpr std::int64_t kUnixEpochTicks = 116444736000000000LL;
using FileTimeTicks = std::chrono::duration<std::int64_t, std::ratio<1, 10'000'000>>;

std::optional<std::uint64_t> FileTimeOf(std::filesystem::file_time_type written)
{
    const auto sinceUnixEpoch = std::chrono::duration_cast<FileTimeTicks>(
        std::chrono::file_clock::to_sys(written).time_since_epoch());
    const std::int64_t ticks = sinceUnixEpoch.count() + kUnixEpochTicks;
    if (ticks < 0) {
        return std::nullopt; // before 1601: no FILETIME holds it
    }
    return static_cast<std::uint64_t>(ticks);
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

bool DriveMapFileSearch::AnyFileMatches(const platform::NulTerminated& pattern) noexcept
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

std::optional<FileStamp> DriveMapFileSearch::StampOf(const platform::NulTerminated& path) noexcept
{
    try {
        const std::optional<WindowsPath> parsed = ParseWindowsPath(path);
        if (!parsed || parsed->endsWithSeparator || parsed->components.empty()) {
            return std::nullopt;
        }
        // Resolving refuses wildcards, as the stamp of a search names no one file.
        const std::optional<std::filesystem::path> host = drives_.Resolve(path);
        if (!host) {
            return std::nullopt;
        }
        // The size of a folder or of anything else that is not a file is an error.
        std::error_code error;
        const std::uintmax_t size = std::filesystem::file_size(*host, error);
        if (error) {
            return std::nullopt;
        }
        const std::filesystem::file_time_type written =
            std::filesystem::last_write_time(*host, error);
        if (error) {
            return std::nullopt;
        }
        const std::optional<std::uint64_t> lastWrite = FileTimeOf(written);
        if (!lastWrite) {
            return std::nullopt;
        }
        return FileStamp{static_cast<std::uint64_t>(size), *lastWrite};
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::optional<std::uint64_t>
DriveMapFileSearch::FolderWriteTime(const platform::NulTerminated& folder) noexcept
{
    try {
        const std::optional<std::filesystem::path> host = drives_.Resolve(folder);
        std::error_code error;
        if (!host || !std::filesystem::is_directory(*host, error)) {
            return std::nullopt;
        }
        const std::filesystem::file_time_type written =
            std::filesystem::last_write_time(*host, error);
        return error ? std::nullopt : FileTimeOf(written);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

ErrorCode DriveMapFileSearch::WriteWholeFile(const NulTerminated& path,
                                             std::span<const std::byte> bytes) noexcept
{
    try {
        const std::optional<std::filesystem::path> host = drives_.Resolve(path.View());
        std::error_code error;
        if (!host || !std::filesystem::is_directory(host->parent_path(), error)) {
            return 3; // ERROR_PATH_NOT_FOUND
        }
        std::filesystem::path written = *host;
        written += ".tolvan-saving";
        {
            std::ofstream out(written, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<std::streamsize>(bytes.size()));
            if (!out.flush()) {
                std::filesystem::remove(written, error);
                return 5; // ERROR_ACCESS_DENIED
            }
        }
        std::filesystem::rename(written, *host, error);
        if (error) {
            std::filesystem::remove(written, error);
            return 5;
        }
        return 0;
    } catch (const std::bad_alloc&) {
        return 8;
    }
}

} // namespace platform::portable
