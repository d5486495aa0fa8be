#include "Win32FileDialogs.h"

#include "SystemLibrary.h"

#include <windows.h>

#include <commdlg.h>
#include <new>

namespace platform::win32 {
namespace {

using FileNameFunction = BOOL(WINAPI*)(LPOPENFILENAMEW);

// The common dialogs are loaded when a file dialog is first opened, not at every start: most
// runs never open one, and the library brings the printing libraries with it (under Wine also
// their Unix libraries), several megabytes and tens of milliseconds before the window shows.
const SystemLibrary& DialogLibrary()
{
    static const SystemLibrary kLibrary(L"comdlg32.dll");
    return kLibrary;
}

// The buffer the dialog writes the chosen path into; it proposes what the buffer holds.
std::wstring PathBuffer(const std::wstring& proposed)
{
    std::wstring file(FileDialogs::kLongestPath + 1, L'\0');
    if (proposed.size() <= FileDialogs::kLongestPath) {
        file.replace(0, proposed.size(), proposed);
    }
    return file;
}

void CutAtNul(std::wstring& file)
{
    if (const std::size_t end = file.find(L'\0'); end != std::wstring::npos) {
        file.resize(end);
    }
}

// The dialog's filter list: description and pattern of each filter, each ended by a NUL, and one
// more NUL after the last.
std::wstring FilterList(const std::vector<FileFilter>& filters)
{
    std::wstring list;
    for (const FileFilter& filter : filters) {
        list += filter.description;
        list += L'\0';
        list += filter.pattern;
        list += L'\0';
    }
    list += L'\0';
    return list;
}

// What both dialogs are opened with; the record points into the strings, which must outlive it.
OPENFILENAMEW DialogRecord(WindowId owner, const std::wstring& title, const std::wstring& filters,
                           std::wstring& file) noexcept
{
    OPENFILENAMEW dialog{};
    // The record without the fields that came with Windows 2000 (places bar, extra flags).
    dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
    dialog.hwndOwner = reinterpret_cast<HWND>(owner);
    dialog.lpstrFilter = filters.empty() ? nullptr : filters.c_str();
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrTitle = title.c_str();
    return dialog;
}

} // namespace

std::optional<std::wstring>
Win32FileDialogs::ChooseFileToOpen(const OpenFileRequest& request) noexcept
{
    try {
        const auto getOpenFileName = DialogLibrary().Find<FileNameFunction>("GetOpenFileNameW");
        if (getOpenFileName == nullptr) {
            return std::nullopt;
        }
        std::wstring file = PathBuffer(request.proposedName);
        const std::wstring filters = request.filters.empty() ? L"" : FilterList(request.filters);
        OPENFILENAMEW dialog = DialogRecord(request.owner, request.title, filters, file);
        dialog.lpstrInitialDir =
            request.initialFolder.empty() ? nullptr : request.initialFolder.c_str();
        dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
        if (getOpenFileName(&dialog) == 0) {
            return std::nullopt;
        }
        CutAtNul(file);
        return file;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

std::optional<SaveFileChoice>
Win32FileDialogs::ChooseFileToSave(const SaveFileRequest& request) noexcept
{
    try {
        const auto getSaveFileName = DialogLibrary().Find<FileNameFunction>("GetSaveFileNameW");
        if (getSaveFileName == nullptr) {
            return std::nullopt;
        }
        std::wstring file = PathBuffer(request.proposedName);
        const std::wstring filters = request.filters.empty() ? L"" : FilterList(request.filters);
        OPENFILENAMEW dialog = DialogRecord(request.owner, request.title, filters, file);
        dialog.nFilterIndex = 1;
        // With a default extension, the dialog adds the chosen type's own to a bare name.
        dialog.lpstrDefExt =
            request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
        dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                       OFN_NOCHANGEDIR;
        if (getSaveFileName(&dialog) == 0) {
            return std::nullopt;
        }
        CutAtNul(file);
        return SaveFileChoice{std::move(file),
                              dialog.nFilterIndex > 0 ? dialog.nFilterIndex - 1 : 0};
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

} // namespace platform::win32
