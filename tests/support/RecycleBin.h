#pragma once

#include <string_view>

// The shell's Recycle Bin as a person sees it, for tests that recycle files on Windows or Wine.
namespace tolvan::test {

// Whether the Recycle Bin holds a file of this name (the name it had before it was recycled).
[[nodiscard]] bool RecycleBinHolds(std::wstring_view name);

// Removes the recycled file of this name for good where Wine keeps the Recycle Bin: the host
// user's XDG trash ($XDG_DATA_HOME/Trash, else ~/.local/share/Trash), reached through drive Z:.
// Tests leave the host's trash as they found it. Does nothing where there is no such trash.
void ForgetRecycled(std::wstring_view name);

} // namespace tolvan::test
