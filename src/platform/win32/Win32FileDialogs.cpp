#include "Win32FileDialogs.h"

#include "platform/UniqueHandle.h"

#include <windows.h>

#include <commdlg.h>
#include <limits>
#include <vector>

namespace platform::win32 {
namespace {

struct LibraryTraits {
    using pointer = HMODULE;
    static constexpr pointer invalid() noexcept { return nullptr; }
    static void close(pointer library) noexcept { FreeLibrary(library); }
};
using OwnedLibrary = UniqueHandle<LibraryTraits>;

using GetOpenFileNameFunction = BOOL(WINAPI*)(LPOPENFILENAMEW);

// The common dialogs are loaded when the file chooser is first opened, not at every start: most
// runs never open it, and the library brings the printing libraries with it (under Wine also
// their Unix libraries), several megabytes and tens of milliseconds before the window shows.
GetOpenFileNameFunction OpenFileDialog() noexcept
{
    static const OwnedLibrary library(
        LoadLibraryExW(L"comdlg32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    if (!library) {
        return nullptr;
    }
    return reinterpret_cast<GetOpenFileNameFunction>(
        reinterpret_cast<void*>(GetProcAddress(library.get(), "GetOpenFileNameW")));
}

} // namespace

bool Win32FileDialogs::ShowOpenDialog(OpenFileRecord& record) noexcept
{
    try {
        const GetOpenFileNameFunction getOpenFileName = OpenFileDialog();
        if (getOpenFileName == nullptr) {
            return false;
        }
        // Own copies, each ending in a NUL that Windows can rely on; the record is changed only
        // when a file was chosen.
        std::vector<wchar_t> file(record.file.begin(), record.file.end());
        file.push_back(L'\0');
        const std::wstring filter = record.filter;
        const std::wstring folder = record.initialFolder;
        const std::wstring title = record.title;
        if (file.size() - 1 > std::numeric_limits<DWORD>::max()) {
            return false;
        }

        OPENFILENAMEW dialog{};
        // The record without the fields that came with Windows 2000 (places bar, extra flags).
        dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
        dialog.hwndOwner = reinterpret_cast<HWND>(record.owner);
        dialog.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
        dialog.nFilterIndex = record.filterIndex;
        dialog.lpstrFile = file.data();
        dialog.nMaxFile = static_cast<DWORD>(file.size() - 1);
        dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
        dialog.lpstrTitle = title.c_str();
        dialog.Flags = record.flags;
        if (getOpenFileName(&dialog) == 0) {
            return false;
        }
        record.file.assign(file.begin(), file.end() - 1);
        record.filterIndex = dialog.nFilterIndex;
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace platform::win32
