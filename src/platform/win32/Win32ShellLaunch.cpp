#include "Win32ShellLaunch.h"

#include "ComApartment.h"
#include "DesktopShell.h"
#include "platform/UniqueHandle.h"

#include <windows.h>

#include <new>
#include <shellapi.h>
#include <shlobj.h>
#include <string>

namespace platform::win32 {
namespace {

// SW_HIDE: the program that opens an address (a browser, typically) decides how to show itself.
constexpr int kAddressShow = SW_HIDE;

struct ItemIdListTraits {
    using pointer = PIDLIST_ABSOLUTE;
    static constexpr PIDLIST_ABSOLUTE Invalid() noexcept { return nullptr; }
    static void Close(PIDLIST_ABSOLUTE list) noexcept { ILFree(list); }
};
using ItemIdList = UniqueHandle<ItemIdListTraits>;

// Windows' own Explorer, by its full path: %windir%\explorer.exe.
std::wstring ExplorerPath()
{
    std::wstring folder(MAX_PATH, L'\0');
    const UINT length = GetWindowsDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
    if (length == 0 || length >= folder.size()) {
        return L"explorer.exe";
    }
    folder.resize(length);
    return folder + L"\\explorer.exe";
}

} // namespace

// The desktop's shell has no window of this program to own what it opens.
DesktopAnswer Win32ShellLaunch::OpenAddressOnDesktop(WindowId /*owner*/,
                                                     const NulTerminated& address,
                                                     const NulTerminated& startFolder) noexcept
{
    const ComApartment com;
    const DesktopShell desktop;
    if (!desktop.Present()) {
        return DesktopAnswer::NoDesktop;
    }
    return desktop.Execute(address, L"", startFolder, kAddressShow) ? DesktopAnswer::Done
                                                                    : DesktopAnswer::Refused;
}

// Explorer's own command line opens the folder window with the file selected, in the desktop
// shell's process. (Wine's Explorer opens the folder and leaves the file unselected.)
DesktopAnswer Win32ShellLaunch::ShowInFolderOnDesktop(WindowId /*owner*/,
                                                      const NulTerminated& filePath) noexcept
{
    try {
        // A missing file is refused before anything opens, as SHOpenFolderAndSelectItems does.
        if (GetFileAttributesW(filePath.CString()) == INVALID_FILE_ATTRIBUTES) {
            return DesktopAnswer::Refused;
        }
        const ComApartment com;
        const DesktopShell desktop;
        if (!desktop.Present()) {
            return DesktopAnswer::NoDesktop;
        }
        const std::wstring arguments = L"/select,\"" + std::wstring(filePath.View()) + L"\"";
        return desktop.Execute(ExplorerPath(), arguments, L"", SW_SHOWNORMAL)
                   ? DesktopAnswer::Done
                   : DesktopAnswer::Refused;
    } catch (const std::bad_alloc&) {
        return DesktopAnswer::Refused;
    }
}

bool Win32ShellLaunch::OpenAddressHere(WindowId owner, const NulTerminated& address,
                                       const NulTerminated& startFolder) noexcept
{
    const ComApartment com;
    SHELLEXECUTEINFOW request{};
    request.cbSize = sizeof(request);
    // No error box of the shell's own; and the request is done before COM is left again.
    request.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    request.hwnd = reinterpret_cast<HWND>(owner);
    request.lpFile = address.CString();
    request.lpDirectory = startFolder.CString();
    request.nShow = kAddressShow;
    return ShellExecuteExW(&request) != FALSE;
}

// The folder window belongs to Explorer, and no window of ours owns it.
bool Win32ShellLaunch::ShowInFolderHere(WindowId /*owner*/, const NulTerminated& filePath) noexcept
{
    const ComApartment com;
    // Made only for a file that is there.
    const ItemIdList item(ILCreateFromPathW(filePath.CString()));
    if (!item) {
        return false;
    }
    return SUCCEEDED(SHOpenFolderAndSelectItems(item.get(), 0, nullptr, 0));
}

} // namespace platform::win32
