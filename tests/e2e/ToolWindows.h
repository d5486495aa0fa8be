#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// Finding the running tolvan.exe's windows and controls from another process.
namespace tolvan::e2e {

// The visible main window: a form of the program without an owner; null when there is none.
[[nodiscard]] HWND MainWindow() noexcept;

// A visible window of class `className` owned by `owner`; null when there is none.
[[nodiscard]] HWND OwnedWindow(HWND owner, const wchar_t* className) noexcept;

// The entry editor, the form the main window owns while it is shown.
[[nodiscard]] HWND EditorWindow(HWND main) noexcept;

// A control of the main window or of the editor, by its name in the window's layout.
[[nodiscard]] HWND MainControl(HWND main, std::wstring_view name);
[[nodiscard]] HWND EditorControl(HWND editor, std::wstring_view name);

[[nodiscard]] std::wstring TextOf(HWND window);

// Writes the text as UTF-8 and a line feed to standard output.
void Print(std::wstring_view text);

} // namespace tolvan::e2e
