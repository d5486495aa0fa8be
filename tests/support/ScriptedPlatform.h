#pragma once

#include "platform/Platform.h"
#include "platform/portable/CaseFoldCollation.h"
#include "platform/portable/DriveMap.h"
#include "platform/portable/DriveMapFileSearch.h"
#include "platform/portable/FixedClock.h"
#include "platform/portable/HostStartupFolders.h"
#include "platform/portable/MemoryClipboard.h"
#include "platform/portable/MemoryRegistry.h"
#include "platform/portable/PeVersionResources.h"
#include "platform/portable/ScriptedChangeWatch.h"
#include "platform/portable/ScriptedFileDialogs.h"
#include "platform/portable/ScriptedMessageBox.h"
#include "platform/portable/ScriptedShell.h"
#include "platform/portable/VariableEnvironment.h"

namespace tolvan::test {

// Every Windows service in memory or answered by script, bundled as the program receives them.
// Test fixtures derive from it, so the services are made before anything that uses them.
struct ScriptedPlatform {
    platform::portable::MemoryRegistry registry;
    platform::portable::ScriptedShell shell;
    platform::portable::ScriptedMessageBox messageBox;
    platform::portable::DriveMap drives;
    platform::portable::DriveMapFileSearch files{drives};
    platform::portable::CaseFoldCollation collation;
    platform::portable::PeVersionResources versions{drives.Resolver()};
    platform::portable::ScriptedFileDialogs fileDialogs;
    platform::portable::VariableEnvironment environment;
    platform::portable::FixedClock clock;
    platform::portable::ScriptedChangeWatch changeWatch;
    platform::portable::MemoryClipboard clipboard;
    platform::portable::HostStartupFolders startupFolders{drives};
    platform::Platform services{registry,  shell,       messageBox,  files,
                                collation, versions,    fileDialogs, environment,
                                clock,     changeWatch, clipboard,   startupFolders};
};

} // namespace tolvan::test
