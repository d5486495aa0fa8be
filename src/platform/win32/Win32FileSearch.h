#pragma once

#include "platform/FileSearch.h"

namespace platform::win32 {

// The file search through FindFirstFileExW and FindNextFileW.
class Win32FileSearch final : public FileSearch {
public:
    bool AnyFileMatches(std::wstring_view pattern) noexcept override;
};

} // namespace platform::win32
