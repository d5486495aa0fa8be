#include "Tooltips.h"

#include "WindowFailures.h"

#include <windows.h>

#include <commctrl.h>
#include <string>

namespace platform::win32 {

void Tooltips::Create(HWND window, HINSTANCE instance, std::wstring_view formName)
{
    tooltip_ =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, instance, nullptr);
    if (tooltip_ == nullptr) {
        const DWORD error = GetLastError();
        ThrowCreationFailure(error,
                             L"cannot create the tooltip window of form " + std::wstring(formName));
    }
}

void Tooltips::Update(HWND window, ChildWindow& child)
{
    std::wstring text = child.control->Tooltip();
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = window;
    tool.uId = static_cast<UINT_PTR>(child.id);
    tool.rect = child.rect;
    tool.lpszText = text.data();
    if (!child.hasTool) {
        if (text.empty()) {
            return;
        }
        child.hasTool =
            SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
    } else if (text.empty()) {
        SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        child.hasTool = false;
    } else {
        SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void Tooltips::Move(HWND window, const ChildWindow& child) noexcept
{
    if (!child.hasTool) {
        return;
    }
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = window;
    tool.uId = static_cast<UINT_PTR>(child.id);
    tool.rect = child.rect;
    SendMessageW(tooltip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
}

} // namespace platform::win32
