#include "Win32Shell.h"

#include "ComApartment.h"
#include "platform/UniqueHandle.h"

#include <windows.h>

#include <new>
#include <shellapi.h>
#include <shlobj.h>
#include <string>

namespace platform::win32 {
namespace {

// ShellExecuteW reports success with any value above this one.
constexpr INT_PTR kLastShellExecuteError = 32;

struct ItemIdListTraits {
    using pointer = PIDLIST_ABSOLUTE;
    static constexpr PIDLIST_ABSOLUTE Invalid() noexcept { return nullptr; }
    static void Close(PIDLIST_ABSOLUTE list) noexcept { ILFree(list); }
};
using ItemIdList = UniqueHandle<ItemIdListTraits>;

} // namespace

bool Win32Shell::IsAdministrator() noexcept
{
    return ::IsUserAnAdmin() != FALSE;
}

bool Win32Shell::OpenAddress(WindowId owner, std::wstring_view address,
                             std::wstring_view startFolder) noexcept
{
    try {
        const std::wstring file(address);
        const std::wstring folder(startFolder);
        const ComApartment com;
        // SW_HIDE: the program that opens the address (a browser, typically) decides how to show
        // itself.
        HINSTANCE result = ShellExecuteW(reinterpret_cast<HWND>(owner), nullptr, file.c_str(),
                                         nullptr, folder.c_str(), SW_HIDE);
        return reinterpret_cast<INT_PTR>(result) > kLastShellExecuteError;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

// The folder window belongs to Explorer, and no window of ours owns it.
bool Win32Shell::ShowInFolder(WindowId /*owner*/, std::wstring_view filePath) noexcept
{
    try {
        const std::wstring path(filePath);
        const ComApartment com;
        // Made only for a file that is there.
        const ItemIdList item(ILCreateFromPathW(path.c_str()));
        if (!item) {
            return false;
        }
        return SUCCEEDED(SHOpenFolderAndSelectItems(item.get(), 0, nullptr, 0));
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool Win32Shell::ShowProperties(WindowId owner, std::wstring_view filePath) noexcept
{
    try {
        const std::wstring path(filePath);
        const ComApartment com;
        SHELLEXECUTEINFOW request{};
        request.cbSize = sizeof(request);
        // No error box of the shell's own: the caller says what went wrong, in the user's
        // language.
        request.fMask = SEE_MASK_INVOKEIDLIST | SEE_MASK_FLAG_NO_UI;
        request.hwnd = reinterpret_cast<HWND>(owner);
        request.lpVerb = L"properties";
        request.lpFile = path.c_str();
        request.nShow = SW_SHOWNORMAL;
        return ShellExecuteExW(&request) != FALSE;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

} // namespace platform::win32
