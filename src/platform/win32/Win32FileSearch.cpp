#include "Win32FileSearch.h"

#include "FindHandle.h"

#include <windows.h>

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

} // namespace

bool Win32FileSearch::AnyFileMatches(std::wstring_view pattern) noexcept
{
    try {
        // Windows reads the name only up to a NUL; a name holding one names no file at all.
        if (pattern.empty() || pattern.find(L'\0') != std::wstring_view::npos) {
            return false;
        }
        const std::wstring name(pattern);
        const QuietCriticalErrors quiet;
        WIN32_FIND_DATAW found{};
        FindHandle search(FindFirstFileExW(name.c_str(), FindExInfoBasic, &found,
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
    } catch (const std::bad_alloc&) {
        return false;
    }
}

} // namespace platform::win32
