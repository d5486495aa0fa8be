#pragma once

#include "InterfaceLanguage.h"
#include "entries/Scope.h"

#include <string>

namespace ui {

// Where an entry is kept, as the user reads it: "Current user", "All users (32-bit)", "All users
// (Startup folder)" and so on, in the interface language.
[[nodiscard]] std::wstring ScopeText(const InterfaceLanguage& language, entries::Scope scope);

} // namespace ui
