#pragma once

#include "platform/VersionResources.h"

#include <string>

namespace ui {

// The full path of the program's own file, found by its module handle so that a renamed copy
// still knows itself; empty when it cannot be told.
[[nodiscard]] std::wstring RunningProgramPath(platform::VersionResources& resources);

// "v" and the major, minor and revision numbers of the program's own file version: 1.2.0.1 reads
// v1.2.1.
[[nodiscard]] std::wstring RunningProgramVersion(platform::VersionResources& resources);

} // namespace ui
