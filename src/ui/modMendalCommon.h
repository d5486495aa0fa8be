#pragma once

#include "platform/Shell.h"
#include "platform/window/WindowSystem.h"

// What every program of the maker shares: the way to its home page.
namespace modMendalCommon {

// The folder the shell starts in while it opens the home page.
inline constexpr std::wstring_view kShellStartFolder = L"C:\\";

// Asks the shell to open the maker's home page in the user's browser, on behalf of the form's
// window. Whether the shell managed it is not the window's concern: nothing is reported.
void OpenHomePage(platform::Shell& shell, const platform::window::WindowSystem& windows,
                  const platform::window::FormModel& form) noexcept;

} // namespace modMendalCommon
