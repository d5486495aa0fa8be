#pragma once

#include "MessageBoxService.h"

#include <cstdint>
#include <string>

namespace platform {

namespace ofn {

inline constexpr std::uint32_t kHideReadOnly = 0x00000004;
inline constexpr std::uint32_t kFileMustExist = 0x00001000;
inline constexpr std::uint32_t kExplorer = 0x00080000;

// The length of the file buffer the tool hands the dialog, in characters.
inline constexpr std::size_t kFileBufferChars = 260;

} // namespace ofn

// The fields of OPENFILENAMEW that the tool sets and reads; every other field is 0.
struct OpenFileRecord {
    WindowId owner = 0;
    // Pairs of description and pattern, each part ended by a NUL, the list by one more NUL.
    std::wstring filter;
    // The filter shown first (0 and 1 both name the first pair); the dialog writes back the one
    // the user left selected, counted from 1.
    std::uint32_t filterIndex = 0;
    // The file buffer: the proposed file name padded with NULs to its full length. Its length is
    // the buffer's size; the dialog writes the chosen path into it.
    std::wstring file;
    // The folder the dialog opens in; none when empty.
    std::wstring initialFolder;
    std::wstring title;
    std::uint32_t flags = 0;
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;

    // GetOpenFileNameW: shows the open-file dialog modally over record.owner. True when the user
    // chose a file; record.file and record.filterIndex then hold what the dialog wrote. False
    // when the user cancelled or the dialog failed, with the record as it was.
    [[nodiscard]] virtual bool ShowOpenDialog(OpenFileRecord& record) noexcept = 0;
};

} // namespace platform
