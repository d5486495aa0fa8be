#pragma once

#include "NulTerminated.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace platform {

// What tells one version of a file from another: its size and last-write time (FILETIME ticks).
struct FileStamp {
    std::uint64_t size = 0;
    std::uint64_t lastWrite = 0;
    bool operator==(const FileStamp&) const = default;
};

// The file system's search for entries matching a name, as FindFirstFileW reads it: a full or
// relative path whose last component may hold the wildcards * and ?.
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
};

} // namespace platform
