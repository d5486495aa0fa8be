#pragma once

#include "DriveMap.h"
#include "platform/FileSearch.h"

#include <atomic>

namespace platform::portable {

// The file search on a DriveMap: wildcards in the last component, names matched without regard
// to case, folders never counted. Hidden and system attributes do not exist on the host; every
// file counts, as Windows counts hidden and system files too.
class DriveMapFileSearch final : public FileSearch {
public:
    explicit DriveMapFileSearch(const DriveMap& drives) noexcept : drives_(drives) {}

    bool AnyFileMatches(const platform::NulTerminated& pattern) noexcept override;
    // The size and last-write time of the host file behind the path.
    std::optional<FileStamp> StampOf(const platform::NulTerminated& path) noexcept override;
    std::optional<std::uint64_t>
    FolderWriteTime(const platform::NulTerminated& folder) noexcept override;
    // Into the host folder behind the path: 3 when it does not exist, 5 when it cannot be
    // written.
    ErrorCode WriteWholeFile(const NulTerminated& path,
                             std::span<const std::byte> bytes) noexcept override;

    // How many searches were asked for, so tests can tell that none was made.
    [[nodiscard]] long long SearchCount() const noexcept { return searches_.load(); }

private:
    const DriveMap& drives_;
    std::atomic<long long> searches_{0}; // searches may come from several threads
};

} // namespace platform::portable
