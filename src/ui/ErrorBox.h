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

// The box for a registry change Windows refused.
inline void ShowCannotModifyBox(platform::MessageBoxService& messageBox, platform::WindowId owner,
                                const InterfaceLanguage& language)
{
    ShowErrorBox(messageBox, owner, language,
                 L"Nem módosítható a registry bejegyzés. Próbálja meg a programot "
                 L"rendszergazdaként futtatni.",
                 L"Can't modify registry entry. Try running this application with "
                 L"administrator rights.");
}

} // namespace ui
