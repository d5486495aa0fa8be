#include "FileChooser.h"

#include "entries/TextTrim.h"

namespace ui {

std::optional<std::wstring> ChooseFile(platform::FileDialogs& dialogs, platform::WindowId owner,
                                       std::wstring_view title, const platform::FileFilter& filter,
                                       std::wstring_view initialPath)
{
    platform::OpenFileRequest request;
    request.owner = owner;
    request.title = title;
    request.filters.push_back(filter);
    if (!entries::TrimSpaces(initialPath).empty()) {
        const std::size_t lastBackslash = initialPath.rfind(L'\\');
        std::wstring_view name = initialPath;
        if (lastBackslash != std::wstring_view::npos) {
            request.initialFolder = initialPath.substr(0, lastBackslash + 1);
            name = initialPath.substr(lastBackslash + 1);
        }
        // A name the dialog cannot hold would make it fail outright.
        if (name.size() <= platform::FileDialogs::kLongestPath) {
            request.proposedName = name;
        }
    }
    return dialogs.ChooseFileToOpen(request);
}

} // namespace ui
