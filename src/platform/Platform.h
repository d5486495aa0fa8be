#pragma once

#include "ChangeWatch.h"
#include "Clipboard.h"
#include "Clock.h"
#include "Collation.h"
#include "Environment.h"
#include "FileDialogs.h"
#include "FileSearch.h"
#include "MessageBoxService.h"
#include "Registry.h"
#include "Shell.h"
#include "SignatureCheck.h"
#include "StartupFolders.h"
#include "VersionResources.h"

namespace platform {

// The Windows services the tool uses, as one bundle handed down from the program's entry point.
struct Platform {
    Registry& registry;
    Shell& shell;
    MessageBoxService& messageBox;
    FileSearch& files;
    Collation& collation;
    VersionResources& versions;
    FileDialogs& fileDialogs;
    Environment& environment;
    Clock& clock;
    ChangeWatch& changeWatch;
    Clipboard& clipboard;
    StartupFolders& startupFolders;
    SignatureCheck& signatures;
};

} // namespace platform
