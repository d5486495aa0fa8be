#pragma once

#include "StartupEntry.h"
#include "platform/Registry.h"

#include <vector>

namespace entries {

// Appends one entry for every REG_SZ and REG_EXPAND_SZ value of the scope's Run key, in the
// registry's order, with the command as stored; the other values are left out. Success when the
// whole key was read; otherwise the code of the call that failed (8 when memory ran out), with the
// entries read before it appended.
[[nodiscard]] platform::RegResult ReadRunKey(platform::Registry& registry, Scope scope,
                                             std::vector<StartupEntry>& entries);

} // namespace entries
