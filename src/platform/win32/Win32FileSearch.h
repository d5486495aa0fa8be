#pragma once

#include "platform/FileSearch.h"

namespace platform::win32 {

// The file search through FindFirstFileExW and FindNextFileW; stamps through
// GetFileAttributesExW, which reads them without opening the file.
class Win32FileSearch final : public FileSearch {
public:
    bool AnyFileMatches(const platform::NulTerminated& pattern) noexcept override;
    std::optional<FileStamp> StampOf(const platform::NulTerminated& path) noexcept override;
    std::optional<std::uint64_t>
    FolderWriteTime(const platform::NulTerminated& folder) noexcept override;
};

} // namespace platform::win32
