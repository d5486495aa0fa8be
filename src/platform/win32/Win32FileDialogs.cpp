#include "Win32FileDialogs.h"

#include "SystemLibrary.h"

#include <windows.h>

#include <commdlg.h>
#include <new>

namespace platform::win32 {
namespace {

using GetOpenFileNameFunction = BOOL(WINAPI*)(LPOPENFILENAMEW);

// The common dialogs are loaded when the file chooser is first opened, not at every start: most
// runs never open it, and the library brings the printing libraries with it (under Wine also
// their Unix libraries), several megabytes and tens of milliseconds before the window shows.
GetOpenFileNameFunction OpenFileDialog() noexcept
{
    static const SystemLibrary kLibrary(L"comdlg32.dll");
    return kLibrary.Find<GetOpenFileNameFunction>("GetOpenFileNameW");
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

} // namespace

std::optional<std::wstring>
Win32FileDialogs::ChooseFileToOpen(const OpenFileRequest& request) noexcept
{
    try {
        const GetOpenFileNameFunction getOpenFileName = OpenFileDialog();
        if (getOpenFileName == nullptr) {
            return std::nullopt;
        }
        // The dialog writes the chosen path into this buffer; it proposes what the buffer holds.
        std::wstring file(kLongestPath + 1, L'\0');
        if (request.proposedName.size() <= kLongestPath) {
            file.replace(0, request.proposedName.size(), request.proposedName);
        }
        const std::wstring filters = request.filters.empty() ? L"" : FilterList(request.filters);

        OPENFILENAMEW dialog{};
        // The record without the fields that came with Windows 2000 (places bar, extra flags).
        dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
        dialog.hwndOwner = reinterpret_cast<HWND>(request.owner);
        dialog.lpstrFilter = filters.empty() ? nullptr : filters.c_str();
        dialog.lpstrFile = file.data();
        dialog.nMaxFile = static_cast<DWORD>(file.size());
        dialog.lpstrInitialDir =
            request.initialFolder.empty() ? nullptr : request.initialFolder.c_str();
        dialog.lpstrTitle = request.title.c_str();
        dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
        if (getOpenFileName(&dialog) == 0) {
            return std::nullopt;
        }
        if (const std::size_t end = file.find(L'\0'); end != std::wstring::npos) {
            file.resize(end);
        }
        return file;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

} // namespace platform::win32
