#pragma once

#include "platform/StartupFolders.h"

namespace platform::win32 {

// The Startup folders as the shell knows them, their files through FindFirstFileExW, shortcuts
// through the shell's link object, and moves and recycling as Explorer does them.
class Win32StartupFolders final : public StartupFolders {
public:
    std::optional<std::wstring> PathOf(StartupFolder folder) override;
    ErrorCode FilesIn(std::wstring_view folder, std::vector<FolderFile>& files) override;
    std::optional<Shortcut> ReadShortcut(std::wstring_view path) override;
    ErrorCode WriteShortcut(std::wstring_view path, const Shortcut& shortcut) noexcept override;
    ErrorCode MoveFileTo(std::wstring_view from, std::wstring_view to) noexcept override;
    ErrorCode RecycleFile(std::wstring_view path) noexcept override;
};

} // namespace platform::win32
