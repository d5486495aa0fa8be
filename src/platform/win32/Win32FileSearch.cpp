#include "Win32FileSearch.h"

#include "FileHandle.h"
#include "FindHandle.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <new>
#include <string>

namespace platform::win32 {
namespace {

// An empty floppy or card drive would otherwise ask the user to insert a disk; a search for a
// file there is simply "not found".
class QuietCriticalErrors {
public:
    QuietCriticalErrors() noexcept
    {
        restore_ = SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previous_);
    }
    ~QuietCriticalErrors()
    {
        if (restore_) {
            SetThreadErrorMode(previous_, nullptr);
        }
    }
    QuietCriticalErrors(const QuietCriticalErrors&) = delete;
    QuietCriticalErrors& operator=(const QuietCriticalErrors&) = delete;

private:
    DWORD previous_ = 0;
    BOOL restore_ = FALSE;
};

bool IsFolder(const WIN32_FIND_DATAW& found) noexcept
{
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::uint64_t Combined(DWORD high, DWORD low) noexcept
{
    return (static_cast<std::uint64_t>(high) << 32U) | low;
}

} // namespace

bool Win32FileSearch::AnyFileMatches(const platform::NulTerminated& pattern) noexcept
{
    // Windows reads the name only up to a NUL; a name holding one names no file at all.
    if (pattern.Empty() || pattern.View().find(L'\0') != std::wstring_view::npos) {
        return false;
    }
    const QuietCriticalErrors quiet;
    WIN32_FIND_DATAW found{};
    FindHandle search(FindFirstFileExW(pattern.CString(), FindExInfoBasic, &found,
                                       FindExSearchNameMatch, nullptr, 0));
    if (!search) {
        return false;
    }
    do {
        if (!IsFolder(found)) {
            return true;
        }
    } while (FindNextFileW(search.get(), &found));
    return false;
}

std::optional<FileStamp> Win32FileSearch::StampOf(const platform::NulTerminated& path) noexcept
{
    // A stamp is of the one file named: a name with wildcards names none, whatever the file
    // system would make of it, and Windows would read a name holding a NUL only up to it.
    if (path.Empty() ||
        path.View().find_first_of(std::wstring_view(L"*?\0", 3)) != std::wstring_view::npos) {
        return std::nullopt;
    }
    const QuietCriticalErrors quiet;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.CString(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return std::nullopt;
    }
    return FileStamp{
        Combined(data.nFileSizeHigh, data.nFileSizeLow),
        Combined(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime)};
}

std::optional<std::uint64_t>
Win32FileSearch::FolderWriteTime(const platform::NulTerminated& folder) noexcept
{
    const QuietCriticalErrors quiet;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(folder.CString(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        return std::nullopt;
    }
    return Combined(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime);
}

ErrorCode Win32FileSearch::WriteWholeFile(const NulTerminated& path,
                                          std::span<const std::byte> bytes) noexcept
{
    try {
        const std::wstring written = std::wstring(path.View()) + L".tolvan-saving";
        ErrorCode error = 0;
        {
            const FileHandle file(CreateFileW(written.c_str(), GENERIC_WRITE, 0, nullptr,
                                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
            if (!file) {
                return GetLastError();
            }
            for (std::size_t at = 0; at < bytes.size() && error == 0;) {
                const auto chunk =
                    static_cast<DWORD>(std::min<std::size_t>(bytes.size() - at, 1U << 20U));
                DWORD done = 0;
                if (WriteFile(file.get(), bytes.data() + at, chunk, &done, nullptr) == FALSE) {
                    error = GetLastError();
                }
                at += done;
            }
            if (error == 0 && FlushFileBuffers(file.get()) == FALSE) {
                error = GetLastError();
            }
        }
        if (error == 0 &&
            MoveFileExW(written.c_str(), path.CString(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == FALSE) {
            error = GetLastError();
        }
        if (error != 0) {
            DeleteFileW(written.c_str());
        }
        return error;
    } catch (const std::bad_alloc&) {
        return 8; // ERROR_NOT_ENOUGH_MEMORY
    }
}

} // namespace platform::win32
