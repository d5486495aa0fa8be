#include "DesktopShell.h"

#include <exdisp.h>
#include <oleauto.h>
#include <servprov.h>
#include <shlguid.h>
#include <shlobj.h>
#include <shobjidl.h>

namespace platform::win32 {
namespace {

struct TextTraits {
    using pointer = BSTR;
    static constexpr pointer Invalid() noexcept { return nullptr; }
    static void Close(pointer text) noexcept { SysFreeString(text); }
};
// A text as COM hands it across processes.
using ComText = UniqueHandle<TextTraits>;

ComText MakeText(std::wstring_view text) noexcept
{
    return ComText(SysAllocStringLen(text.data(), static_cast<UINT>(text.size())));
}

// A variant that lends the text; the text stays owned by the caller.
VARIANT TextVariant(const ComText& text) noexcept
{
    VARIANT variant;
    VariantInit(&variant);
    variant.vt = VT_BSTR;
    variant.bstrVal = text.get();
    return variant;
}

// The shell application behind the view of the desktop's folder; null when a step of the way
// fails.
ComPointer<IShellDispatch2> ShellBehind(IDispatch& desktop) noexcept
{
    ComPointer<IServiceProvider> services;
    ComPointer<IShellBrowser> browser;
    ComPointer<IShellView> view;
    ComPointer<IDispatch> background;
    ComPointer<IShellFolderViewDual> folderView;
    ComPointer<IDispatch> application;
    ComPointer<IShellDispatch2> shell;
    if (FAILED(desktop.QueryInterface(IID_PPV_ARGS(services.put()))) ||
        FAILED(services.get()->QueryService(SID_STopLevelBrowser, IID_PPV_ARGS(browser.put()))) ||
        FAILED(browser.get()->QueryActiveShellView(view.put())) || !view ||
        FAILED(view.get()->GetItemObject(SVGIO_BACKGROUND, IID_PPV_ARGS(background.put()))) ||
        FAILED(background.get()->QueryInterface(IID_PPV_ARGS(folderView.put()))) ||
        FAILED(folderView.get()->get_Application(application.put())) || !application ||
        FAILED(application.get()->QueryInterface(IID_PPV_ARGS(shell.put())))) {
        return {};
    }
    return shell;
}

} // namespace

DesktopShell::DesktopShell() noexcept
{
    ComPointer<IShellWindows> windows;
    if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER,
                                IID_PPV_ARGS(windows.put())))) {
        return;
    }
    VARIANT location;
    VariantInit(&location);
    location.vt = VT_I4;
    location.lVal = CSIDL_DESKTOP;
    VARIANT root;
    VariantInit(&root);
    long window = 0;
    ComPointer<IDispatch> desktop;
    // S_FALSE, a success, when the shell has no desktop window.
    if (windows.get()->FindWindowSW(&location, &root, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH,
                                    desktop.put()) != S_OK ||
        !desktop) {
        return;
    }
    present_ = true;
    shell_ = ShellBehind(*desktop.get());
}

bool DesktopShell::Execute(std::wstring_view file, std::wstring_view arguments,
                           std::wstring_view folder, int show) const noexcept
{
    if (!shell_) {
        return false;
    }
    const ComText fileText = MakeText(file);
    const ComText argumentText = MakeText(arguments);
    const ComText folderText = MakeText(folder);
    const ComText verbText = MakeText(L"");
    if (!fileText || !argumentText || !folderText || !verbText) {
        return false;
    }
    VARIANT showVariant;
    VariantInit(&showVariant);
    showVariant.vt = VT_I4;
    showVariant.lVal = show;
    // The program the shell starts may come to the front, as it would had the user started it
    // there: the click that asked for it was made in this program's window.
    DWORD shellProcess = 0;
    if (GetWindowThreadProcessId(GetShellWindow(), &shellProcess) != 0) {
        AllowSetForegroundWindow(shellProcess);
    }
    // S_FALSE, a success, when the shell could not start it.
    return shell_.get()->ShellExecute(fileText.get(), TextVariant(argumentText),
                                      TextVariant(folderText), TextVariant(verbText),
                                      showVariant) == S_OK;
}

} // namespace platform::win32
