#include "comdlg32_Open.h"

#include "startup/TextTrim.h"

namespace comdlg32_Open {

bool ChooseFile(platform::FileDialogs& dialogs, platform::WindowId owner, std::wstring_view filter,
                std::wstring_view initialPath, std::wstring_view title, std::wstring& chosenPath,
                bool folderOnly)
{
    std::wstring_view folder;
    std::wstring_view fileName;
    if (!modTolvan::TrimSpaces(initialPath).empty()) {
        const std::size_t lastBackslash = initialPath.rfind(L'\\');
        if (lastBackslash != std::wstring_view::npos) {
            folder = initialPath.substr(0, lastBackslash + 1);
        }
        if (!folderOnly) {
            fileName = lastBackslash == std::wstring_view::npos
                           ? initialPath
                           : initialPath.substr(lastBackslash + 1);
        }
    }
    std::int16_t filterIndex = 0;
    std::wstring chosen;
    if (!ShowOpenFile(dialogs, owner, filter, filterIndex, fileName, folder, title,
                      kChooseFileFlags, chosen)) {
        return false;
    }
    chosenPath = std::move(chosen);
    return true;
}

bool ShowOpenFile(platform::FileDialogs& dialogs, platform::WindowId owner,
                  std::wstring_view filter, std::int16_t& filterIndex,
                  std::wstring_view initialFile, std::wstring_view initialFolder,
                  std::wstring_view title, std::uint32_t flags, std::wstring& chosenPath)
{
    platform::OpenFileRecord record;
    record.owner = owner;
    // One NUL ends the last pattern, the second ends the list.
    record.filter.assign(filter);
    record.filter.append(2, L'\0');
    record.filterIndex = static_cast<std::uint16_t>(filterIndex);
    // A name that leaves no room for its NUL would make the dialog fail outright.
    if (initialFile.size() < platform::ofn::kFileBufferChars) {
        record.file.assign(initialFile);
    }
    record.file.resize(platform::ofn::kFileBufferChars, L'\0');
    record.initialFolder.assign(initialFolder);
    record.title.assign(title);
    record.flags = flags;

    if (!dialogs.ShowOpenDialog(record)) {
        return false;
    }
    filterIndex = static_cast<std::int16_t>(record.filterIndex);
    chosenPath = record.file.substr(0, record.file.find(L'\0'));
    return true;
}

} // namespace comdlg32_Open
