#pragma once

#include "InterfaceLanguage.h"
#include "platform/MessageBoxService.h"

namespace ui {

// Tells the user of something Windows refused, over the window they acted in: "Hiba" / "Error",
// the text in the interface language, the error icon and OK.
inline void ShowErrorBox(platform::MessageBoxService& messageBox, platform::WindowId owner,
                         const InterfaceLanguage& language, UiText text)
{
    (void)messageBox.Show(owner, language.Text(text), language.Text(UiText::ErrorTitle),
                          platform::MessageButtons::Ok, platform::MessageIcon::Error);
}

} // namespace ui
