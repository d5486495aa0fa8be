#pragma once

#include "InterfaceLanguage.h"
#include "entries/EntryChanges.h"
#include "platform/Platform.h"

namespace ui {

// Tells the user, in an error box over the window they acted in, of a change that Windows refused
// or carried out only in part: what could not be changed (the entry, its file, its switch),
// Windows' own message, and, only when the tool runs without administrator rights, that those
// might help. `entryRefused` is the text for a refused value (a delete's or another change's),
// which takes Windows' message as %1.
void ShowChangeFailure(platform::Platform& platform, platform::WindowId owner,
                       const InterfaceLanguage& language, const entries::ChangeResult& result,
                       UiText entryRefused);

} // namespace ui
