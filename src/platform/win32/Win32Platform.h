#pragma once

#include "Win32ChangeWatch.h"
#include "Win32Clipboard.h"
#include "Win32Clock.h"
#include "Win32Collation.h"
#include "Win32Environment.h"
#include "Win32FileDialogs.h"
#include "Win32FileSearch.h"
#include "Win32MessageBox.h"
#include "Win32Registry.h"
#include "Win32Shell.h"
#include "Win32SignatureCheck.h"
#include "Win32StartupFolders.h"
#include "Win32VersionResources.h"
#include "platform/Platform.h"

namespace platform::win32 {

// The real Windows services, owned in one place and lent out as a Platform.
class Win32Platform {
public:
    [[nodiscard]] Platform& Services() noexcept { return services_; }
    // For the message loop to wait on.
    [[nodiscard]] Win32ChangeWatch& Watch() noexcept { return changeWatch_; }

private:
    Win32Registry registry_;
    Win32Shell shell_;
    Win32MessageBox messageBox_;
    Win32FileSearch files_;
    Win32Collation collation_;
    Win32VersionResources versions_;
    Win32FileDialogs fileDialogs_;
    Win32Environment environment_;
    Win32Clock clock_;
    Win32ChangeWatch changeWatch_;
    Win32Clipboard clipboard_;
    Win32StartupFolders startupFolders_;
    Win32SignatureCheck signatures_;
    Platform services_{registry_,  shell_,          messageBox_,  files_, collation_,
                       versions_,  fileDialogs_,    environment_, clock_, changeWatch_,
                       clipboard_, startupFolders_, signatures_};
};

} // namespace platform::win32
