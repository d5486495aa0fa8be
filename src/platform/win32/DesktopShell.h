#pragma once

#include "ComPointer.h"

#include <windows.h>

#include <shldisp.h>
#include <string_view>

namespace platform::win32 {

// The shell of the desktop (Explorer, running with the rights of the person logged on) as an
// automation object, found the way Explorer offers it to other programs: the desktop's window
// among the shell's windows, its browser, the view of the desktop's folder, and the shell
// application behind that view. What it starts runs in its process and with its rights.
//
// COM must be joined on the calling thread for the object's life.
class DesktopShell {
public:
    DesktopShell() noexcept;

    // Whether the session has a desktop shell.
    [[nodiscard]] bool Present() const noexcept { return present_; }

    // Has the desktop's shell start `file` (a program, a document, an address) with `arguments`,
    // in `folder`, shown as `show` (an SW_ value) asks; an empty verb is the item's default.
    // True when the shell reports that it did.
    [[nodiscard]] bool Execute(std::wstring_view file, std::wstring_view arguments,
                               std::wstring_view folder, int show) const noexcept;

private:
    bool present_ = false;
    ComPointer<IShellDispatch2> shell_;
};

} // namespace platform::win32
