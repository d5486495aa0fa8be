#pragma once

#include "StartupEntry.h"
#include "platform/Registry.h"

#include <vector>

namespace entries {

// Appends one entry for every REG_SZ value of the scope's Run key, in the registry's order; the
// other values are left out. Success when the whole key was read; otherwise the code of the call
// that failed (8 when memory ran out), with the entries read before it appended.
[[nodiscard]] platform::RegResult ReadRunKey(platform::Registry& registry, Scope scope,
                                             std::vector<StartupEntry>& entries);

} // namespace entries
