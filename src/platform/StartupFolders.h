#pragma once

#include "ErrorCode.h"
#include "NulTerminated.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The two folders whose files Windows opens at logon: the user's own and the one for all users.
enum class StartupFolder : std::uint8_t { CurrentUser, AllUsers };

// A file directly inside a folder (folders themselves are never listed).
struct FolderFile {
    std::wstring name; // with its extension
    bool hidden = false;
    bool system = false;
};

// What a shortcut (.lnk) starts: its target path as stored (not resolved, environment references
// left as they are) and its arguments.
struct Shortcut {
    std::wstring target;
    std::wstring arguments;
    bool operator==(const Shortcut&) const = default;
};

inline constexpr ErrorCode kPathNotFound = 3;

// The Startup folders and the file operations the tool does in them.
class StartupFolders {
public:
    virtual ~StartupFolders() = default;

    // The folder's full path, as the shell knows it (SHGetKnownFolderPath), also while the folder
    // does not exist; none when the shell knows no path for it.
    // Throws std::bad_alloc only.
    [[nodiscard]] virtual std::optional<std::wstring> PathOf(StartupFolder folder) = 0;
    // Appends the files directly in the folder, in no particular order. 0 when the folder was read
    // to its end; 3 (ERROR_PATH_NOT_FOUND) when it is missing; otherwise the code of what failed,
    // with the files listed before it appended. Throws std::bad_alloc only.
    [[nodiscard]] virtual ErrorCode FilesIn(const NulTerminated& folder,
                                            std::vector<FolderFile>& files) = 0;
    // Reads a shortcut without resolving it or writing anything back; none when the file is not
    // a shortcut that can be read.
    // Throws std::bad_alloc only.
    [[nodiscard]] virtual std::optional<Shortcut> ReadShortcut(const NulTerminated& path) = 0;
    // Sets the target and arguments of a shortcut, keeping everything else it holds; makes the
    // shortcut when the file does not exist.
    [[nodiscard]] virtual ErrorCode WriteShortcut(const NulTerminated& path,
                                                  const Shortcut& shortcut) noexcept = 0;
    // Renames or moves a file (also to another folder); never replaces a file that exists
    // (183, ERROR_ALREADY_EXISTS).
    [[nodiscard]] virtual ErrorCode MoveFileTo(const NulTerminated& from,
                                               const NulTerminated& to) noexcept = 0;
    // Moves the file to the Recycle Bin, without any window or question of the shell's own.
    [[nodiscard]] virtual ErrorCode RecycleFile(const NulTerminated& path) noexcept = 0;
};

} // namespace platform
