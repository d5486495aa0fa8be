#pragma once

#include "platform/FileDialogs.h"

#include <cstdint>
#include <string>
#include <string_view>

// The open-file dialog as the editor uses it: hands back the full path of the file the user
// picked. Nothing is shown besides the dialog; a failed dialog looks like a cancelled one.
namespace comdlg32_Open {

// The flags ChooseFile shows the dialog with: Explorer look, only existing files, no read-only
// check box.
inline constexpr std::uint32_t kChooseFileFlags =
    platform::ofn::kExplorer | platform::ofn::kFileMustExist | platform::ofn::kHideReadOnly;

// Opens the dialog at `initialPath`: its folder (up to and including the last backslash) and,
// unless `folderOnly`, the name after it as the proposed file name. `filter` holds description
// and pattern pairs separated by single NULs, without a NUL after the last pattern. True when a
// file was chosen; only then is `chosenPath` written.
bool ChooseFile(platform::FileDialogs& dialogs, platform::WindowId owner, std::wstring_view filter,
                std::wstring_view initialPath, std::wstring_view title, std::wstring& chosenPath,
                bool folderOnly);

// Shows the dialog with these settings. A proposed file name that does not fit the dialog's
// buffer is left out rather than making the dialog fail. True when a file was chosen; only then
// are `chosenPath` (cut at its first NUL) and `filterIndex` written.
bool ShowOpenFile(platform::FileDialogs& dialogs, platform::WindowId owner,
                  std::wstring_view filter, std::int16_t& filterIndex,
                  std::wstring_view initialFile, std::wstring_view initialFolder,
                  std::wstring_view title, std::uint32_t flags, std::wstring& chosenPath);

} // namespace comdlg32_Open
