#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::portable {

// An absolute Windows path taken apart the way Windows normalises it before it reaches the file
// system: `\` or `/` between components, repeated separators collapsed, "." dropped, ".." going
// up (never above the drive's root), and trailing dots and spaces removed from the last
// component.
struct WindowsPath {
    wchar_t drive = L'C'; // upper case
    std::vector<std::wstring> components;
    bool endsWithSeparator = false; // "C:\WINDOWS\" names the folder itself
};

// nullopt for anything that is not "X:\..." with X a letter, and for names no Windows file can
// have (control characters, NUL, < > : " |). The wildcards * and ? are kept for the caller.
[[nodiscard]] std::optional<WindowsPath> ParseWindowsPath(std::wstring_view text);

[[nodiscard]] bool HasWildcard(std::wstring_view component) noexcept;

} // namespace platform::portable
