#include "HostStartupFolders.h"

#include "CaseFold.h"
#include "HostName.h"
#include "Utf8Text.h"
#include "WindowsPath.h"
#include "platform/ShellLinkReader.h"
#include "platform/Windows1252.h"

#include <exception>
#include <fstream>
#include <iterator>
#include <new>
#include <span>
#include <system_error>

namespace platform::portable {
namespace {

// The Windows error codes these operations answer with.
constexpr ErrorCode kFileNotFound = 2;
constexpr ErrorCode kAccessDenied = 5;
constexpr ErrorCode kInvalidData = 13;
constexpr ErrorCode kOutOfMemory = 8;
constexpr ErrorCode kInvalidParameter = 87;
constexpr ErrorCode kAlreadyExists = 183;

constexpr std::string_view kFirstLine = "[TolvanShortcut]";
constexpr std::string_view kTargetKey = "target=";
constexpr std::string_view kArgumentsKey = "arguments=";

// One spelling for all the ways of writing a path: normalised as Windows does, upper case.
std::wstring AttributeKey(std::wstring_view windowsPath)
{
    std::wstring key;
    const std::optional<WindowsPath> parsed = ParseWindowsPath(windowsPath);
    if (!parsed) {
        return key;
    }
    key = {parsed->drive, L':'};
    for (const std::wstring& component : parsed->components) {
        key += L'\\';
        for (const wchar_t ch : component) {
            key += ToUpperInvariant(ch);
        }
    }
    return key;
}

std::wstring PathInFolder(std::wstring_view folder, std::wstring_view name)
{
    std::wstring path(folder);
    if (!path.empty() && path.back() != L'\\' && path.back() != L'/') {
        path += L'\\';
    }
    path += name;
    return path;
}

bool Exists(const std::filesystem::path& host) noexcept
{
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(host, error));
}

bool IsFolder(const std::filesystem::path& host) noexcept
{
    std::error_code error;
    return std::filesystem::is_directory(host, error);
}

// What Windows answers for a file that is not there: its folder is missing too, or only it is.
ErrorCode Missing(const std::filesystem::path& host) noexcept
{
    return IsFolder(host.parent_path()) ? kFileNotFound : kPathNotFound;
}

ErrorCode ResultOf(const std::error_code& error) noexcept
{
    if (!error) {
        return 0;
    }
    if (error == std::errc::no_such_file_or_directory) {
        return kPathNotFound;
    }
    if (error == std::errc::file_exists || error == std::errc::directory_not_empty) {
        return kAlreadyExists;
    }
    return kAccessDenied;
}

// A rename, or a copy and a delete where the two are on different host file systems (the
// Recycle Bin's folder may be), as MoveFileExW with MOVEFILE_COPY_ALLOWED does.
ErrorCode MoveHostFile(const std::filesystem::path& from, const std::filesystem::path& to)
{
    std::error_code error;
    std::filesystem::rename(from, to, error);
    if (error == std::errc::cross_device_link) {
        error.clear();
        std::filesystem::copy_file(from, to, std::filesystem::copy_options::none, error);
        if (!error) {
            std::filesystem::remove(from, error);
        }
    }
    return ResultOf(error);
}

// "name.ext", or "name (2).ext" and on when the Recycle Bin holds one of that name already.
std::filesystem::path FreePlaceIn(const std::filesystem::path& folder,
                                  const std::filesystem::path& name)
{
    std::filesystem::path place = folder / name;
    for (int copy = 2; Exists(place); ++copy) {
        std::filesystem::path numbered = name.stem();
        numbered += " (" + std::to_string(copy) + ")";
        numbered += name.extension();
        place = folder / numbered;
    }
    return place;
}

std::optional<std::string> ReadSmallFile(const std::filesystem::path& host)
{
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(host, error);
    if (error || size > kLargestShellLink) {
        return std::nullopt;
    }
    std::ifstream in(host, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) {
        return std::nullopt;
    }
    return bytes;
}

std::optional<Shortcut> ParseShortcut(std::string_view bytes)
{
    const std::optional<std::wstring> text = FromUtf8(bytes);
    if (!text) {
        return std::nullopt;
    }
    std::string_view rest = bytes;
    const auto nextLine = [&rest] {
        const std::size_t end = rest.find('\n');
        const std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        return line;
    };
    if (nextLine() != kFirstLine) {
        return std::nullopt;
    }
    Shortcut shortcut;
    while (!rest.empty()) {
        const std::string_view line = nextLine();
        // Well-formed as a whole, so well-formed line by line too.
        if (line.starts_with(kTargetKey)) {
            shortcut.target = *FromUtf8(line.substr(kTargetKey.size()));
        } else if (line.starts_with(kArgumentsKey)) {
            shortcut.arguments = *FromUtf8(line.substr(kArgumentsKey.size()));
        } else if (!line.empty()) {
            return std::nullopt;
        }
    }
    return shortcut;
}

bool HasLineBreak(std::wstring_view text) noexcept
{
    return text.find_first_of(L"\r\n") != std::wstring_view::npos;
}

} // namespace

std::string ShortcutFileText(const Shortcut& shortcut)
{
    std::string text(kFirstLine);
    text += '\n';
    text += kTargetKey;
    text += ToUtf8(shortcut.target);
    text += '\n';
    text += kArgumentsKey;
    text += ToUtf8(shortcut.arguments);
    text += '\n';
    return text;
}

void HostStartupFolders::SetAttributes(std::wstring_view windowsPath, bool hidden, bool system)
{
    attributes_[AttributeKey(windowsPath)] = Attributes{hidden, system};
}

std::optional<std::wstring> HostStartupFolders::PathOf(StartupFolder folder) noexcept
{
    try {
        return folder == StartupFolder::CurrentUser ? userFolder : commonFolder;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

ErrorCode HostStartupFolders::FilesIn(const NulTerminated& folder, std::vector<FolderFile>& files)
{
    const std::optional<std::filesystem::path> host = drives_.Resolve(folder);
    if (!host) {
        return kPathNotFound;
    }
    std::error_code error;
    std::filesystem::directory_iterator entries(*host, error);
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        // One entry whose kind cannot be told is left out, not the rest of the folder.
        std::error_code unreadable;
        if (!entries->is_regular_file(unreadable)) {
            continue;
        }
        FolderFile file{FromHostName(entries->path().filename())};
        const auto marked = attributes_.find(AttributeKey(PathInFolder(folder, file.name)));
        if (marked != attributes_.end()) {
            file.hidden = marked->second.hidden;
            file.system = marked->second.system;
        }
        files.push_back(std::move(file));
    }
    return ResultOf(error);
}

std::optional<Shortcut> HostStartupFolders::ReadShortcut(const NulTerminated& path) noexcept
{
    try {
        const std::optional<std::filesystem::path> host = drives_.Resolve(path);
        if (!host) {
            return std::nullopt;
        }
        const std::optional<std::string> bytes = ReadSmallFile(*host);
        if (!bytes) {
            return std::nullopt;
        }
        // Real shortcuts too, so that tests can hand the tool the bytes Windows writes.
        const auto binary = std::as_bytes(std::span(bytes->data(), bytes->size()));
        if (IsShellLink(binary)) {
            return ReadShellLink(binary, FromWindows1252);
        }
        return ParseShortcut(*bytes);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

ErrorCode HostStartupFolders::WriteShortcut(const NulTerminated& path,
                                            const Shortcut& shortcut) noexcept
{
    try {
        // Each value is one line of the file.
        if (HasLineBreak(shortcut.target) || HasLineBreak(shortcut.arguments)) {
            return kInvalidParameter;
        }
        const std::optional<std::filesystem::path> host = drives_.Resolve(path);
        if (!host || !IsFolder(host->parent_path())) {
            return kPathNotFound;
        }
        if (IsFolder(*host)) {
            return kAccessDenied;
        }
        // Everything a shortcut of this form holds is rewritten; a file that is no shortcut is
        // left alone, as the shell's link object cannot load it.
        if (Exists(*host) && !ReadShortcut(path)) {
            return kInvalidData;
        }
        std::ofstream out(*host, std::ios::binary | std::ios::trunc);
        out << ShortcutFileText(shortcut);
        out.close();
        return out ? 0 : kAccessDenied;
    } catch (const std::bad_alloc&) {
        return kOutOfMemory;
    } catch (const std::exception&) {
        return kAccessDenied;
    }
}

ErrorCode HostStartupFolders::MoveFileTo(const NulTerminated& from,
                                         const NulTerminated& to) noexcept
{
    try {
        const std::optional<std::filesystem::path> source = drives_.Resolve(from);
        const std::optional<std::filesystem::path> target = drives_.Resolve(to);
        if (!source || !target) {
            return kPathNotFound;
        }
        if (!Exists(*source)) {
            return Missing(*source);
        }
        if (!IsFolder(target->parent_path())) {
            return kPathNotFound;
        }
        std::filesystem::path place = *target;
        if (Exists(*target)) {
            std::error_code error;
            // Only the letter case of the name changes: the file is renamed onto itself.
            if (!std::filesystem::equivalent(*source, *target, error) || error) {
                return kAlreadyExists;
            }
            place = target->parent_path() / ToHostName(ParseWindowsPath(to)->components.back());
        }
        const ErrorCode result = MoveHostFile(*source, place);
        if (result == 0) {
            const auto marked = attributes_.find(AttributeKey(from));
            if (marked != attributes_.end()) {
                const Attributes kept = marked->second;
                attributes_.erase(marked);
                attributes_[AttributeKey(to)] = kept;
            }
        }
        return result;
    } catch (const std::bad_alloc&) {
        return kOutOfMemory;
    } catch (const std::exception&) {
        return kAccessDenied;
    }
}

ErrorCode HostStartupFolders::RecycleFile(const NulTerminated& path) noexcept
{
    try {
        const std::optional<std::filesystem::path> host = drives_.Resolve(path);
        if (!host) {
            return kPathNotFound;
        }
        if (!Exists(*host)) {
            return Missing(*host);
        }
        if (IsFolder(*host) || recycleBin.empty()) {
            return kAccessDenied;
        }
        const ErrorCode result = MoveHostFile(*host, FreePlaceIn(recycleBin, host->filename()));
        if (result == 0) {
            recycled.emplace_back(path);
            attributes_.erase(AttributeKey(path));
        }
        return result;
    } catch (const std::bad_alloc&) {
        return kOutOfMemory;
    } catch (const std::exception&) {
        return kAccessDenied;
    }
}

} // namespace platform::portable
