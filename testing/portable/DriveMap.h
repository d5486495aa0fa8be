#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

namespace platform::portable {

// Windows drives laid over host folders: "C:\WINDOWS\notepad.exe" with C mapped to /tmp/c is
// /tmp/c/WINDOWS/notepad.exe, or /tmp/c/windows/NOTEPAD.EXE if that is what exists, since
// Windows finds names without regard to letter case.
class DriveMap {
public:
    // Lays the drive letter (either case) over the host folder; later maps of a letter replace
    // earlier ones. Other characters are ignored.
    void Map(wchar_t drive, std::filesystem::path hostFolder);

    // The host path a Windows path names: each component matched to an existing entry without
    // regard to case (an entry of exactly that spelling first), components that do not exist
    // kept as written. nullopt for a relative path, a drive that is not mapped, wildcards, or a
    // name no Windows file can have.
    [[nodiscard]] std::optional<std::filesystem::path>
    Resolve(std::wstring_view windowsPath) const noexcept;

    // The host folder of a drive, nullopt when it is not mapped.
    [[nodiscard]] std::optional<std::filesystem::path> Root(wchar_t drive) const noexcept;

    // Resolve as a function object, for the readers that open files by Windows path. The map
    // must outlive it.
    [[nodiscard]] std::function<std::optional<std::filesystem::path>(std::wstring_view)>
    Resolver() const;

private:
    std::array<std::optional<std::filesystem::path>, 26> roots_;
};

// The entry of `folder` whose name equals `name` without regard to case, preferring the exact
// spelling; nullopt when there is none or the folder cannot be read.
[[nodiscard]] std::optional<std::filesystem::path>
FindEntryIgnoringCase(const std::filesystem::path& folder, std::wstring_view name) noexcept;

} // namespace platform::portable
