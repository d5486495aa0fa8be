#include "Win32StartupFolders.h"

#include "ComApartment.h"
#include "ComPointer.h"
#include "FileHandle.h"
#include "FindHandle.h"
#include "platform/ShellLinkReader.h"

#include <windows.h>

#include <knownfolders.h>
#include <new>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <span>
#include <string>
#include <vector>

namespace platform::win32 {
namespace {

constexpr ErrorCode kInvalidName = ERROR_INVALID_NAME;

struct TaskMemoryTextTraits {
    using pointer = PWSTR;
    static constexpr pointer Invalid() noexcept { return nullptr; }
    static void Close(pointer text) noexcept { CoTaskMemFree(text); }
};
using TaskMemoryText = UniqueHandle<TaskMemoryTextTraits>;

// Windows would read a name only up to a NUL; a name holding one names no file at all.
// SHFileOperationW answers with Windows' error codes, and with codes of its own from MS-DOS days
// (DE_*, 0x71 to 0xB7, and 0x10000 for "on the destination"), which would read as unrelated
// Windows errors; these become the nearest Windows error.
ErrorCode FromShellOperationCode(int code) noexcept
{
    switch (code) {
    case 0x75: // DE_OPCANCELLED
        return ERROR_CANCELLED;
    case 0x78: // DE_ACCESSDENIEDSRC
    case 0x74: // DE_ROOTDIR
    case 0x10074:
        return ERROR_ACCESS_DENIED;
    case 0x79: // DE_PATHTOODEEP
    case 0x81: // DE_FILENAMETOOLONG
    case 0xB7: // DE_ERROR_MAX: a path longer than MAX_PATH
        return ERROR_FILENAME_EXCED_RANGE;
    case 0x7C: // DE_INVALIDFILES
    case 0x402:
        return ERROR_PATH_NOT_FOUND;
    case 0x85: // DE_FILE_TOO_LARGE
        return ERROR_FILE_TOO_LARGE;
    case 0x82: // DE_DEST_IS_CDROM
    case 0x83: // DE_DEST_IS_DVD
    case 0x84: // DE_DEST_IS_CDRECORD
    case 0x86: // DE_SRC_IS_CDROM
    case 0x87: // DE_SRC_IS_DVD
    case 0x88: // DE_SRC_IS_CDRECORD
        return ERROR_WRITE_PROTECT;
    default:
        break;
    }
    if (code >= 0x71 && code <= 0xB7) {
        return ERROR_GEN_FAILURE; // the rest concern copies and moves, not a recycled file
    }
    if (code < 0) {
        return ERROR_GEN_FAILURE;
    }
    return code >= 0x10000 ? ERROR_GEN_FAILURE : static_cast<ErrorCode>(code);
}

bool IsUsableName(std::wstring_view path) noexcept
{
    return !path.empty() && path.find(L'\0') == std::wstring_view::npos;
}

// The Windows error code a failed call of the link object stands for. Win32 and storage
// failures carry one (the storage codes repeat the Win32 ones: 2, 3, 5, ...); the link object's
// other failures are about what the file holds.
ErrorCode ResultOf(HRESULT result) noexcept
{
    if (SUCCEEDED(result)) {
        return 0;
    }
    if (result == E_OUTOFMEMORY) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
    const auto code = static_cast<ErrorCode>(HRESULT_CODE(result));
    const int facility = HRESULT_FACILITY(result);
    if ((facility == FACILITY_WIN32 || facility == FACILITY_STORAGE) && code != 0) {
        return code;
    }
    return ERROR_INVALID_DATA;
}

// The shell's link object, which writes shortcuts; reading them is the tool's own.
struct LinkObject {
    ComPointer<IShellLinkW> link;
    ComPointer<IPersistFile> file;
};

HRESULT MakeLinkObject(LinkObject& made) noexcept
{
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_PPV_ARGS(made.link.put()));
    if (SUCCEEDED(result)) {
        result = made.link.get()->QueryInterface(IID_PPV_ARGS(made.file.put()));
    }
    return result;
}

// The shortcut's older strings, in the system's ANSI code page, as the link object reads them.
std::wstring FromAnsiCodePage(std::span<const std::byte> text)
{
    // A shortcut is read whole only up to kLargestShellLink bytes, so its lengths fit an int.
    const auto size = static_cast<int>(text.size());
    const auto* bytes = reinterpret_cast<const char*>(text.data());
    const int length = size == 0 ? 0 : MultiByteToWideChar(CP_ACP, 0, bytes, size, nullptr, 0);
    if (length <= 0) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes, size, wide.data(), length);
    return wide;
}

// The whole file, when it is no larger than a shortcut can be. It is read to its end, not to the
// size it had when opened, so a file that grows meanwhile is refused all the same.
std::optional<std::vector<std::byte>> ReadShellLinkFile(const NulTerminated& path)
{
    const FileHandle file(CreateFileW(path.CString(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return std::nullopt;
    }
    constexpr DWORD kChunk = 64 * 1024;
    std::vector<std::byte> bytes;
    for (;;) {
        const std::size_t had = bytes.size();
        if (had > kLargestShellLink) {
            return std::nullopt;
        }
        bytes.resize(had + kChunk);
        DWORD read = 0;
        if (ReadFile(file.get(), bytes.data() + had, kChunk, &read, nullptr) == FALSE) {
            return std::nullopt;
        }
        bytes.resize(had + read);
        if (read == 0) {
            return bytes;
        }
    }
}

} // namespace

std::optional<std::wstring> Win32StartupFolders::PathOf(StartupFolder folder)
{
    const KNOWNFOLDERID& id =
        folder == StartupFolder::CurrentUser ? FOLDERID_Startup : FOLDERID_CommonStartup;
    TaskMemoryText path;
    // Without KF_FLAG_DONT_VERIFY a folder that does not exist (yet) has no path at all, and could
    // not be watched for its creation.
    if (FAILED(SHGetKnownFolderPath(id, KF_FLAG_DONT_VERIFY, nullptr, path.put())) || !path) {
        return std::nullopt;
    }
    return std::wstring(path.get());
}

ErrorCode Win32StartupFolders::FilesIn(const NulTerminated& folder, std::vector<FolderFile>& files)
{
    // A wildcard would make the search match names in the folder's parent instead.
    if (!IsUsableName(folder) || folder.View().find_first_of(L"*?") != std::wstring_view::npos) {
        return ERROR_INVALID_NAME;
    }
    std::wstring pattern(folder.View());
    if (pattern.back() != L'\\' && pattern.back() != L'/') {
        pattern += L'\\';
    }
    pattern += L'*';
    WIN32_FIND_DATAW found{};
    const FindHandle search(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                             FindExSearchNameMatch, nullptr, 0));
    if (!search) {
        // Nothing matched "*" (a drive's empty root, say): a folder without files.
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : error;
    }
    do {
        // "." and ".." are folders too.
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            files.push_back(FolderFile{found.cFileName,
                                       (found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0,
                                       (found.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) != 0});
        }
    } while (FindNextFileW(search.get(), &found));
    const DWORD ended = GetLastError();
    return ended == ERROR_NO_MORE_FILES ? ERROR_SUCCESS : ended;
}

std::optional<Shortcut> Win32StartupFolders::ReadShortcut(const NulTerminated& path)
{
    // Read by the tool's own bounded reader, not the shell's link object: any program can put a
    // shortcut in a Startup folder, and the shell's reader trusts the lengths the file claims.
    if (!IsUsableName(path)) {
        return std::nullopt;
    }
    const std::optional<std::vector<std::byte>> bytes = ReadShellLinkFile(path);
    if (!bytes) {
        return std::nullopt;
    }
    return ReadShellLink(*bytes, FromAnsiCodePage);
}

ErrorCode Win32StartupFolders::WriteShortcut(const NulTerminated& path,
                                             const Shortcut& shortcut) noexcept
{
    if (!IsUsableName(path)) {
        return kInvalidName;
    }
    const ComApartment com;
    LinkObject link;
    HRESULT result = MakeLinkObject(link);
    if (FAILED(result)) {
        return ResultOf(result);
    }
    // An existing shortcut keeps its icon, working folder, hot key and the rest; a file that
    // is there but is no shortcut is left alone. The link object trusts the lengths a file
    // claims, so it loads only what the tool's own reader accepts.
    if (GetFileAttributesW(path.CString()) != INVALID_FILE_ATTRIBUTES) {
        try {
            if (!ReadShortcut(path)) {
                return ERROR_INVALID_DATA;
            }
        } catch (const std::bad_alloc&) {
            return ERROR_NOT_ENOUGH_MEMORY;
        }
        result = link.file.get()->Load(path.CString(), STGM_READWRITE);
    } else if (const DWORD error = GetLastError(); error != ERROR_FILE_NOT_FOUND) {
        return error;
    }
    if (SUCCEEDED(result)) {
        result = link.link.get()->SetPath(shortcut.target.c_str());
    }
    if (SUCCEEDED(result)) {
        result = link.link.get()->SetArguments(shortcut.arguments.c_str());
    }
    if (SUCCEEDED(result)) {
        result = link.file.get()->Save(path.CString(), TRUE);
    }
    return ResultOf(result);
}

ErrorCode Win32StartupFolders::MoveFileTo(const NulTerminated& from,
                                          const NulTerminated& to) noexcept
{
    if (!IsUsableName(from) || !IsUsableName(to)) {
        return kInvalidName;
    }
    // Without MOVEFILE_REPLACE_EXISTING a file at the target is never replaced; another
    // volume is reached by a copy and a delete.
    if (MoveFileExW(from.CString(), to.CString(), MOVEFILE_COPY_ALLOWED) == FALSE) {
        return GetLastError();
    }
    return 0;
}

ErrorCode Win32StartupFolders::RecycleFile(const NulTerminated& path) noexcept
{
    try {
        // The shell would expand wildcards and recycle every match.
        if (!IsUsableName(path) || path.View().find_first_of(L"*?") != std::wstring_view::npos) {
            return kInvalidName;
        }
        // The shell takes a list of names, so this one is copied to end in two NULs.
        std::wstring names(path.View());
        // The shell takes a folder and all it holds as well; this is for one file only. Asking
        // first also gives a missing file the Windows error the shell's own codes do not have.
        const DWORD attributes = GetFileAttributesW(path.CString());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            return GetLastError();
        }
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            return ERROR_ACCESS_DENIED;
        }
        names.push_back(L'\0'); // the list of names ends with an empty one
        const ComApartment com;
        SHFILEOPSTRUCTW operation{};
        operation.wFunc = FO_DELETE;
        operation.pFrom = names.c_str();
        operation.fFlags = static_cast<FILEOP_FLAGS>(FOF_ALLOWUNDO | FOF_NOCONFIRMATION |
                                                     FOF_SILENT | FOF_NOERRORUI);
        const int result = SHFileOperationW(&operation);
        if (result != 0) {
            return FromShellOperationCode(result);
        }
        return operation.fAnyOperationsAborted != FALSE ? ERROR_CANCELLED : 0;
    } catch (const std::bad_alloc&) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
}

} // namespace platform::win32
