#pragma once

#include "InterfaceLanguage.h"
#include "platform/MessageBoxService.h"

#include <string_view>

namespace ui {

// Tells the user of a change Windows refused, over the window they acted in: "Hiba" / "Error",
// the text in the interface language, the error icon and OK.
inline void ShowErrorBox(platform::MessageBoxService& messageBox, platform::WindowId owner,
                         const InterfaceLanguage& language, std::wstring_view hungarian,
                         std::wstring_view english)
{
    (void)messageBox.Show(owner, language.Text(hungarian, english),
                          language.Text(L"Hiba", L"Error"), platform::MessageButtons::Ok,
                          platform::MessageIcon::Error);
}

} // namespace ui
