#pragma once

#include <windows.h>

#include <string>

// Taking a right on a key away from everyone, and giving it back, so that the tool meets a Run
// key it cannot read, or whose values it cannot change.
namespace tolvan::e2e {

// Saves the key's access list to `saveFile`, then denies everyone the given rights (and allows
// every other). The result tells whether opening the key with those rights now fails with access
// denied.
enum class DenyOutcome { Denied, NotEnforced, Failed };
[[nodiscard]] DenyOutcome DenyAccess(HKEY root, const wchar_t* path, REGSAM rights,
                                     const std::wstring& saveFile);

// Puts back the access list saved by DenyAccess.
[[nodiscard]] bool RestoreAccess(HKEY root, const wchar_t* path, const std::wstring& saveFile);

} // namespace tolvan::e2e
