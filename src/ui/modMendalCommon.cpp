#include "modMendalCommon.h"

#include "ui/layout/Layouts.h"

namespace modMendalCommon {

namespace {
// SW_HIDE: the browser decides how to show itself.
constexpr std::int32_t kShowHidden = 0;
} // namespace

void OpenHomePage(platform::Shell& shell, const platform::window::WindowSystem& windows,
                  const platform::window::FormModel& form) noexcept
{
    const platform::WindowId owner = windows.Handle(form);
    static_cast<void>(
        shell.OpenAddress(owner, ui::kHomePageAddress, kShellStartFolder, kShowHidden));
}

} // namespace modMendalCommon
