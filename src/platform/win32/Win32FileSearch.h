#pragma once

#include "platform/FileSearch.h"

namespace platform::win32 {

// The file search through FindFirstFileExW and FindNextFileW; stamps through
// GetFileAttributesExW, which reads them without opening the file.
class Win32FileSearch final : public FileSearch {
public:
    bool AnyFileMatches(std::wstring_view pattern) noexcept override;
    std::optional<FileStamp> StampOf(std::wstring_view path) noexcept override;
    std::optional<std::uint64_t> FolderWriteTime(const std::wstring& folder) noexcept override;
};

} // namespace platform::win32
