#pragma once

#include "platform/FileSearch.h"

#include <array>
#include <string>
#include <string_view>

namespace entries {

// What a command line starts: the program and the rest of the line.
struct CommandParts {
    std::wstring programPath; // empty when it cannot be worked out
    std::wstring arguments;   // trimmed
};

// The Windows folders a bare file name is looked for in, in this order. Fixed texts: a Windows
// installed elsewhere is not searched.
inline constexpr std::array<std::wstring_view, 3> kSystemFolders = {
    L"C:\\WINDOWS\\", L"C:\\WINDOWS\\System32\\", L"C:\\WINDOWS\\System\\"};

// Splits a command line into program and arguments by its text alone: a quoted path, a path up
// to its first ".exe", or a bare name found in one of the system folders. Nothing is expanded
// and only the bare name touches the file system.
[[nodiscard]] CommandParts SplitCommand(std::wstring_view command, platform::FileSearch& files);

} // namespace entries
