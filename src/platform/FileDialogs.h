#pragma once

#include "MessageBoxService.h"

#include <optional>
#include <string>
#include <vector>

namespace platform {

// One entry of the dialog's file-type list: what the user reads and the pattern it stands for.
struct FileFilter {
    std::wstring description;
    std::wstring pattern; // "*.*", or several patterns separated by ';'
};

// What the open-file dialog shows when it opens.
struct OpenFileRequest {
    WindowId owner = 0;
    std::wstring title;
    std::vector<FileFilter> filters; // the first one is selected
    std::wstring initialFolder;      // none when empty
    std::wstring proposedName;       // the file name filled in; none when empty
};

// What the save-file dialog shows when it opens.
struct SaveFileRequest {
    WindowId owner = 0;
    std::wstring title;
    std::vector<FileFilter> filters; // the first one is selected
    std::wstring proposedName;       // the file name filled in
    std::wstring defaultExtension;   // without the dot: added to a name typed without one
};

// The file the user chose to save to, and the type chosen for it (an index into the request's
// filters).
struct SaveFileChoice {
    std::wstring path;
    std::size_t filter = 0;
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;

    // The longest path, in characters, that the dialog can hand back or propose: the classic
    // MAX_PATH of 260 less its terminating NUL. A longer proposed name is left out; a longer
    // choice fails like a cancelled dialog.
    static constexpr std::size_t kLongestPath = 259;

    // Shows the open-file dialog modally over request.owner: the Explorer look, only files that
    // exist can be chosen, no read-only check box. The full path of the chosen file, or nothing
    // when the user cancelled or the dialog failed.
    [[nodiscard]] virtual std::optional<std::wstring>
    ChooseFileToOpen(const OpenFileRequest& request) noexcept = 0;

    // Shows the save-file dialog modally over request.owner: the Explorer look, only an existing
    // folder, and a file that exists is chosen only after the dialog's own question. Nothing
    // when the user cancelled or the dialog failed.
    [[nodiscard]] virtual std::optional<SaveFileChoice>
    ChooseFileToSave(const SaveFileRequest& request) noexcept = 0;
};

} // namespace platform
