#pragma once

#include "platform/FileSearch.h"

namespace platform::win32 {

// The file search through FindFirstFileExW and FindNextFileW; stamps through
// GetFileAttributesExW, which reads them without opening the file; a whole file written to a
// name of its own and moved into place with MoveFileExW.
class Win32FileSearch final : public FileSearch {
public:
    bool AnyFileMatches(const platform::NulTerminated& pattern) noexcept override;
    std::optional<FileStamp> StampOf(const platform::NulTerminated& path) noexcept override;
    std::optional<std::uint64_t>
    FolderWriteTime(const platform::NulTerminated& folder) noexcept override;
    ErrorCode WriteWholeFile(const NulTerminated& path,
                             std::span<const std::byte> bytes) noexcept override;
};

} // namespace platform::win32
