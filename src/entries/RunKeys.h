#pragma once

#include "StartupEntry.h"
#include "platform/Registry.h"

#include <vector>

namespace entries {

// Appends one entry for every REG_SZ and REG_EXPAND_SZ value of the scope's Run key, in the
// registry's order, with the command as stored; the other values are left out, and so is a value
// that disappears between the listing and the reading of its data. Success when the whole key was
// read; otherwise the code of the call that failed, with the entries read before it appended.
// Running out of memory throws std::bad_alloc.
[[nodiscard]] platform::ErrorCode ReadRunKey(platform::Registry& registry, Scope scope,
                                             std::vector<StartupEntry>& entries);

} // namespace entries
