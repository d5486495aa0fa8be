#pragma once

#include "Win32MessageBox.h"
#include "Win32Registry.h"
#include "Win32Shell.h"
#include "platform/Platform.h"

namespace platform::win32 {

// The real Windows services, owned in one place and lent out as a Platform.
class Win32Platform {
public:
    [[nodiscard]] Platform& services() noexcept { return services_; }

private:
    Win32Registry registry_;
    Win32Shell shell_;
    Win32MessageBox messageBox_;
    Platform services_{registry_, shell_, messageBox_};
};

} // namespace platform::win32
