#pragma once

#include <windows.h>

#include <string>

// Working the running tool from another process as a user would, one command at a time: each
// waits until the tool has finished the work the command started and answers again.
namespace tolvan::e2e {

// Whether the window answers a message within `milliseconds` (a liveness check, not a timing).
[[nodiscard]] bool Answers(HWND window, DWORD milliseconds) noexcept;

// Selects the list item as a click does; false when there is no such item.
[[nodiscard]] bool SelectItem(HWND main, int index) noexcept;
// The first item that begins with the text (letter case ignored), or -1.
[[nodiscard]] int FindItem(HWND main, const std::wstring& prefix) noexcept;
[[nodiscard]] int ItemCount(HWND main) noexcept;
// The list box itself, for reading many items: finding it costs a call to the Wine server.
[[nodiscard]] HWND ListBox(HWND main);
[[nodiscard]] std::wstring ItemText(HWND list, int index);

// New, then Esc in the editor: one opening of the editor and one refill.
[[nodiscard]] bool NewAndCancel(HWND main);
// Edit of the selected entry: the command replaced, then Save.
[[nodiscard]] bool EditCommand(HWND main, const std::wstring& command);
// Delete of the selected entry, confirmed with OK.
[[nodiscard]] bool DeleteSelected(HWND main);

// Delete of the selected entry, confirmed with OK, when the tool answers with a message box of its
// own: that box, left open; null when none came.
[[nodiscard]] HWND DeleteAnsweredByABox(HWND main);
// The texts a message box shows, its title first, one a line.
[[nodiscard]] std::wstring BoxTexts(HWND box);
// Presses OK in a message box and waits until the tool answers again.
[[nodiscard]] bool CloseBox(HWND main, HWND box);

// A message box (or any dialog) the tool shows over the main window, or null.
[[nodiscard]] HWND ShownDialog(HWND main) noexcept;

} // namespace tolvan::e2e
