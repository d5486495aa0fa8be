#pragma once

#include <windows.h>

#include <string>

// Taking the right to read a key's values away from everyone, and giving it back, so that the
// tool meets a Run key it cannot open.
namespace tolvan::e2e {

// Saves the key's access list to `saveFile`, then denies everyone KEY_QUERY_VALUE. The result
// tells whether opening the key for reading now fails with access denied.
enum class DenyOutcome { Denied, NotEnforced, Failed };
[[nodiscard]] DenyOutcome DenyReading(HKEY root, const wchar_t* path, const std::wstring& saveFile);

// Puts back the access list saved by DenyReading.
[[nodiscard]] bool RestoreAccess(HKEY root, const wchar_t* path, const std::wstring& saveFile);

} // namespace tolvan::e2e
