#pragma once

#include "StartupEntry.h"
#include "platform/FileSearch.h"
#include "platform/VersionResources.h"

#include <string_view>

namespace entries {

// Reads the product name, company name, legal copyright and description of the entry's program
// (its programPath) into the entry, in that order, each trimmed. A missing file, an empty path or
// a file without a version resource simply gives empty texts. Anything else that goes wrong
// (running out of memory) throws, and the texts not yet read keep what they had.
void ReadProgramDetails(platform::VersionResources& versions, StartupEntry& entry);

// Whether the path names an existing file (not a folder); wildcards as in a file search. Texts of
// fewer than four characters after trimming are never looked up.
[[nodiscard]] bool ProgramFileExists(platform::FileSearch& files,
                                     const platform::NulTerminated& path);

} // namespace entries
