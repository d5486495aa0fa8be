#pragma once

#include "platform/FileDialogs.h"

namespace platform::win32 {

class Win32FileDialogs final : public FileDialogs {
public:
    std::optional<std::wstring> ChooseFileToOpen(const OpenFileRequest& request) noexcept override;
    std::optional<SaveFileChoice>
    ChooseFileToSave(const SaveFileRequest& request) noexcept override;
};

} // namespace platform::win32
