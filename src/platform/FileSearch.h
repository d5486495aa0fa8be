#pragma once

#include "ErrorCode.h"
#include "NulTerminated.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace platform {

// What tells one version of a file from another: its size and last-write time (FILETIME ticks).
struct FileStamp {
    std::uint64_t size = 0;
    std::uint64_t lastWrite = 0;
    bool operator==(const FileStamp&) const = default;
};

// The file system as the tool uses it: the search for entries matching a name, as FindFirstFileW
// reads it (a full or relative path whose last component may hold the wildcards * and ?), the
// stamps of files and folders, and a file written whole.
class FileSearch {
public:
    virtual ~FileSearch() = default;

    // True when at least one entry matches and is a file rather than a folder (hidden, system and
    // read-only files count). An invalid name, an unreachable drive or any other failure: false.
    [[nodiscard]] virtual bool AnyFileMatches(const platform::NulTerminated& pattern) noexcept = 0;

    // The stamp of the file the full path names; none for a folder, a missing file, a path with
    // wildcards, or any failure.
    [[nodiscard]] virtual std::optional<FileStamp>
    StampOf(const platform::NulTerminated& path) noexcept = 0;

    // When the folder's list of files last changed (its last-write time, a FILETIME); none when
    // the folder cannot be read or is not there.
    [[nodiscard]] virtual std::optional<std::uint64_t>
    FolderWriteTime(const NulTerminated& folder) noexcept = 0;

    // Writes the file whole: first beside it under a name of its own, then in its place, so
    // that a failed write leaves a file that was there as it was. 0, or Windows' code for what
    // failed (8 when memory runs out).
    [[nodiscard]] virtual ErrorCode WriteWholeFile(const NulTerminated& path,
                                                   std::span<const std::byte> bytes) noexcept = 0;
};

} // namespace platform
