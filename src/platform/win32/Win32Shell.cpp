#include "Win32Shell.h"

#include "ComApartment.h"

#include <windows.h>

#include <new>
#include <shellapi.h>
#include <shlobj.h>
#include <string>

namespace platform::win32 {

bool Win32Shell::IsAdministrator() noexcept
{
    return ::IsUserAnAdmin() != FALSE;
}

bool Win32Shell::OpenAddress(WindowId owner, const NulTerminated& address,
                             const NulTerminated& startFolder) noexcept
{
    return OpenAddressUnelevated(launch_, owner, address, startFolder);
}

bool Win32Shell::ShowInFolder(WindowId owner, const NulTerminated& filePath) noexcept
{
    return ShowInFolderUnelevated(launch_, owner, filePath);
}

// The Properties sheet stays in this process, as it was: shell32 shows it as a window of the
// program, owned by the program's window; it is not a program started for the user, so there is
// no browser or folder window here to keep from the program's rights. Handed to the desktop's
// shell it would open unowned, behind the window the user asked from, and a sheet that cannot be
// shown could not be told in the user's language.
bool Win32Shell::ShowProperties(WindowId owner, const NulTerminated& filePath) noexcept
{
    const ComApartment com;
    SHELLEXECUTEINFOW request{};
    request.cbSize = sizeof(request);
    // No error box of the shell's own: the caller says what went wrong, in the user's language.
    request.fMask = SEE_MASK_INVOKEIDLIST | SEE_MASK_FLAG_NO_UI;
    request.hwnd = reinterpret_cast<HWND>(owner);
    request.lpVerb = L"properties";
    request.lpFile = filePath.CString();
    request.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&request) != FALSE;
}

} // namespace platform::win32
