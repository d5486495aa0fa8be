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

// Whether the path can name a program file at all: not with wildcards, and not a device's name
// (CON, NUL, COM1, ... with or without an extension), which the file system answers for as if a
// file were there.
[[nodiscard]] bool NamesAProgramFile(std::wstring_view path) noexcept;

// Whether the path names an existing file (not a folder) that can be a program (see above). Texts
// of fewer than four characters after trimming are never looked up.
[[nodiscard]] bool ProgramFileExists(platform::FileSearch& files,
                                     const platform::NulTerminated& path);

} // namespace entries
