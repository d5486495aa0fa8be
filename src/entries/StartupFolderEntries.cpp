#include "StartupFolderEntries.h"

#include "platform/Registry.h"

#include <cwctype>

namespace entries {
namespace {

constexpr std::wstring_view kShortcutExtension = L".lnk";

std::wstring QuotedWhenSpaced(std::wstring_view path)
{
    if (path.find(L' ') == std::wstring_view::npos) {
        return std::wstring(path);
    }
    return L"\"" + std::wstring(path) + L"\"";
}

} // namespace

bool IsShortcutFile(std::wstring_view fileName) noexcept
{
    if (fileName.size() <= kShortcutExtension.size()) {
        return false;
    }
    const std::wstring_view extension =
        fileName.substr(fileName.size() - kShortcutExtension.size());
    for (std::size_t i = 0; i < extension.size(); ++i) {
        if (std::towlower(static_cast<std::wint_t>(extension[i])) !=
            static_cast<std::wint_t>(kShortcutExtension[i])) {
            return false;
        }
    }
    return true;
}

std::wstring CommandOf(const platform::Shortcut& shortcut)
{
    std::wstring command = QuotedWhenSpaced(shortcut.target);
    if (!shortcut.arguments.empty()) {
        command += L' ';
        command += shortcut.arguments;
    }
    return command;
}

platform::ErrorCode ListStartupFolder(platform::StartupFolders& folders, Scope scope,
                                      std::vector<StartupEntry>& into)
{
    const std::optional<std::wstring> folder = folders.PathOf(FolderOf(scope));
    if (!folder || folder->empty()) {
        return 0;
    }
    std::vector<platform::FolderFile> files;
    platform::ErrorCode listed = folders.FilesIn(*folder, files);
    if (listed == platform::kPathNotFound) {
        listed = 0;
    }
    for (const platform::FolderFile& file : files) {
        if (file.hidden || file.system) {
            continue;
        }
        StartupEntry entry;
        entry.scope = scope;
        entry.filePath = *folder + L"\\" + file.name;
        if (IsShortcutFile(file.name)) {
            entry.name = file.name.substr(0, file.name.size() - kShortcutExtension.size());
            // The target is stored as it was given, %NAME%s and all, and Windows expands it.
            entry.valueType = platform::reg::kTypeExpandSz;
        } else {
            entry.name = file.name;
            entry.command = QuotedWhenSpaced(entry.filePath);
        }
        into.push_back(std::move(entry));
    }
    return listed;
}

void ReadShortcutCommand(platform::StartupFolders& folders, StartupEntry& entry)
{
    if (const std::optional<platform::Shortcut> shortcut = folders.ReadShortcut(entry.filePath)) {
        entry.command = CommandOf(*shortcut);
    }
}

} // namespace entries
