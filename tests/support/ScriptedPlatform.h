#pragma once

#include "platform/Platform.h"
#include "portable/CaseFoldCollation.h"
#include "portable/DriveMap.h"
#include "portable/DriveMapFileSearch.h"
#include "portable/FixedClock.h"
#include "portable/HostStartupFolders.h"
#include "portable/MemoryClipboard.h"
#include "portable/MemoryRegistry.h"
#include "portable/PeVersionResources.h"
#include "portable/ScriptedChangeWatch.h"
#include "portable/ScriptedFileDialogs.h"
#include "portable/ScriptedMessageBox.h"
#include "portable/ScriptedShell.h"
#include "portable/ScriptedSignatureCheck.h"
#include "portable/VariableEnvironment.h"

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
    platform::portable::ScriptedSignatureCheck signatures;
    platform::Platform services{registry,  shell,          messageBox,  files, collation,
                                versions,  fileDialogs,    environment, clock, changeWatch,
                                clipboard, startupFolders, signatures};
};

} // namespace tolvan::test
