#pragma once

#include "DriveMap.h"
#include "platform/StartupFolders.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::portable {

// A shortcut as the portable side stores it: UTF-8 text, the line "[TolvanShortcut]" first, then
// "target=" and "arguments=" lines (a missing one is empty). Tests write shortcuts with it.
[[nodiscard]] std::string ShortcutFileText(const Shortcut& shortcut);

// The Startup folders over a DriveMap: folders named by the test, files in host folders, the
// shortcuts in the text form above or as real shortcut (.lnk) files, and a host folder standing in
// for the Recycle Bin. Host files have no hidden or system attribute, so those are kept here, by
// Windows path.
class HostStartupFolders final : public StartupFolders {
public:
    // The map must outlive this object.
    explicit HostStartupFolders(const DriveMap& drives) noexcept : drives_(drives) {}

    // What PathOf answers for each folder, as Windows paths.
    std::optional<std::wstring> userFolder;
    std::optional<std::wstring> commonFolder;
    // The host folder recycled files are moved to; recycling fails with 5 while it is empty.
    std::filesystem::path recycleBin;
    // The Windows paths of the files recycled, in order.
    std::vector<std::wstring> recycled;

    // The attributes FilesIn reports for the file; a moved file keeps them.
    void SetAttributes(std::wstring_view windowsPath, bool hidden, bool system);

    std::optional<std::wstring> PathOf(StartupFolder folder) noexcept override;
    ErrorCode FilesIn(const NulTerminated& folder, std::vector<FolderFile>& files) override;
    std::optional<Shortcut> ReadShortcut(const NulTerminated& path) noexcept override;
    ErrorCode WriteShortcut(const NulTerminated& path, const Shortcut& shortcut) noexcept override;
    ErrorCode MoveFileTo(const NulTerminated& from, const NulTerminated& to) noexcept override;
    ErrorCode RecycleFile(const NulTerminated& path) noexcept override;

private:
    struct Attributes {
        bool hidden = false;
        bool system = false;
    };

    // Files with attributes set, by their Windows path in one spelling (see AttributeKey).
    std::map<std::wstring, Attributes> attributes_;
    const DriveMap& drives_;
};

} // namespace platform::portable
