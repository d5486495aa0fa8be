#pragma once

#include "MessageBoxService.h"
#include "Registry.h"
#include "Shell.h"

namespace platform {

// The Windows services the tool uses, as one bundle handed down from the program's entry point.
struct Platform {
    Registry& registry;
    Shell& shell;
    MessageBoxService& messageBox;
};

} // namespace platform
