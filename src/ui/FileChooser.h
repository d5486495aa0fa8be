#pragma once

#include "platform/FileDialogs.h"

#include <optional>
#include <string>
#include <string_view>

namespace ui {

// Shows the open-file dialog at `initialPath`: in its folder (up to and including the last
// backslash) with the name after it proposed, unless that name is too long for the dialog. The
// full path of the file the user chose; nothing when the dialog was cancelled or failed, which
// look alike.
[[nodiscard]] std::optional<std::wstring>
ChooseFile(platform::FileDialogs& dialogs, platform::WindowId owner, std::wstring_view title,
           const platform::FileFilter& filter, std::wstring_view initialPath);

} // namespace ui
