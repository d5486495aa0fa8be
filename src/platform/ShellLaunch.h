#pragma once

#include "MessageBoxService.h"

#include <cstdint>
#include <string_view>

namespace platform {

// What the desktop's shell made of a request handed to it.
enum class DesktopAnswer : std::uint8_t {
    // It took the request.
    Done,
    // It runs, and could not carry the request out (no such file, nothing to open it with).
    Refused,
    // No desktop shell runs in this session to hand it to.
    NoDesktop,
};

// The two ways a request to open something (a web page, a folder window) reaches the shell.
// The program runs with administrator rights, and so would whatever the shell starts from its
// process: a browser, a folder window. The desktop's own shell (Explorer) runs with the rights
// of the person logged on, and what it starts on the program's behalf gets those.
class ShellLaunch {
public:
    virtual ~ShellLaunch() = default;

    // Has the desktop's shell open the address, with `startFolder` as the working folder.
    [[nodiscard]] virtual DesktopAnswer
    OpenAddressOnDesktop(WindowId owner, const NulTerminated& address,
                         const NulTerminated& startFolder) noexcept = 0;
    // Has the desktop's shell open a folder window on the file's folder with the file selected.
    [[nodiscard]] virtual DesktopAnswer
    ShowInFolderOnDesktop(WindowId owner, const NulTerminated& filePath) noexcept = 0;

    // The same from this process, with its rights. True when the shell took the request.
    [[nodiscard]] virtual bool OpenAddressHere(WindowId owner, const NulTerminated& address,
                                               const NulTerminated& startFolder) noexcept = 0;
    [[nodiscard]] virtual bool ShowInFolderHere(WindowId owner,
                                                const NulTerminated& filePath) noexcept = 0;
};

// Shell::OpenAddress and Shell::ShowInFolder as every shell carries them out: through the
// desktop's shell whenever one runs, so that what opens does not get the program's rights, and
// from this process only where there is none (a session without Explorer, a bare Wine). When the
// desktop's shell refuses, that is the answer: the request is not made again with the program's
// rights.
[[nodiscard]] bool OpenAddressUnelevated(ShellLaunch& launch, WindowId owner,
                                         const NulTerminated& address,
                                         const NulTerminated& startFolder) noexcept;
[[nodiscard]] bool ShowInFolderUnelevated(ShellLaunch& launch, WindowId owner,
                                          const NulTerminated& filePath) noexcept;

} // namespace platform
