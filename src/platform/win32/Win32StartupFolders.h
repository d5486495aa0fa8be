#pragma once

#include "platform/StartupFolders.h"

namespace platform::win32 {

// The Startup folders as the shell knows them, their files through FindFirstFileExW, shortcuts
// read by the tool's own reader and written through the shell's link object, and moves and
// recycling as Explorer does them.
class Win32StartupFolders final : public StartupFolders {
public:
    std::optional<std::wstring> PathOf(StartupFolder folder) override;
    ErrorCode FilesIn(const NulTerminated& folder, std::vector<FolderFile>& files) override;
    std::optional<Shortcut> ReadShortcut(const NulTerminated& path) override;
    ErrorCode WriteShortcut(const NulTerminated& path, const Shortcut& shortcut) noexcept override;
    ErrorCode MoveFileTo(const NulTerminated& from, const NulTerminated& to) noexcept override;
    ErrorCode RecycleFile(const NulTerminated& path) noexcept override;
};

} // namespace platform::win32
