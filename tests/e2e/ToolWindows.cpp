#include "ToolWindows.h"

#include "platform/win32/window/ControlIds.h"
#include "ui/layouts/EntryEditorLayout.h"
#include "ui/layouts/MainWindowLayout.h"

#include <cwchar>

namespace tolvan::e2e {
namespace {

constexpr wchar_t kFormClass[] = L"TolvanForm";

struct OwnedSearch {
    HWND owner;
    const wchar_t* className;
    HWND found;
};

HWND ControlOf(HWND form, const platform::window::WindowLayout& layout, std::wstring_view name)
{
    for (std::size_t i = 0; i < layout.controls.size(); ++i) {
        if (layout.controls[i].name == name) {
            return GetDlgItem(form, platform::win32::ControlId(layout, i));
        }
    }
    return nullptr;
}

} // namespace

HWND MainWindow() noexcept
{
    return OwnedWindow(nullptr, kFormClass);
}

HWND OwnedWindow(HWND owner, const wchar_t* className) noexcept
{
    OwnedSearch search{owner, className, nullptr};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto& wanted = *reinterpret_cast<OwnedSearch*>(param);
            wchar_t name[64]{};
            GetClassNameW(window, name, 64);
            if (std::wcscmp(name, wanted.className) == 0 && IsWindowVisible(window) &&
                GetWindow(window, GW_OWNER) == wanted.owner) {
                wanted.found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND EditorWindow(HWND main) noexcept
{
    return OwnedWindow(main, kFormClass);
}

HWND MainControl(HWND main, std::wstring_view name)
{
    return ControlOf(main, ui::MainWindowLayout(), name);
}

HWND EditorControl(HWND editor, std::wstring_view name)
{
    return ControlOf(editor, ui::EntryEditorLayout(), name);
}

std::wstring TextOf(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

void Print(std::wstring_view text)
{
    std::string bytes(static_cast<std::size_t>(text.size()) * 4 + 1, '\0');
    const int written =
        text.empty()
            ? 0
            : WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                  bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr);
    bytes.resize(static_cast<std::size_t>(written > 0 ? written : 0));
    bytes += '\n';
    DWORD done = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()),
              &done, nullptr);
}

} // namespace tolvan::e2e
