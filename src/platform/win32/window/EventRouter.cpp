#include "EventRouter.h"

#include "ListGeometry.h"

#include <windows.h>

#include <string>
#include <utility>

namespace platform::win32 {
namespace {

using window::Control;
using window::ControlKind;

std::wstring WindowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

} // namespace

// cppcheck-suppress constParameter ; a window handle is opaque, its target never read
void EventRouter::Command(int id, int code, HWND controlWindow)
{
    if (id == IDOK && controlWindow == nullptr) {
        // Enter, as the dialog manager reports it: the list's own when it has the focus.
        if (const ChildWindow* focused = children_.FindByWindow(GetFocus());
            focused != nullptr && focused->control->Layout().kind == ControlKind::ListBox) {
            focused->control->RaiseEnter();
        }
        return;
    }
    const ChildWindow* child = children_.FindById(id);
    if (child == nullptr) {
        return;
    }
    Control& control = *child->control;
    switch (control.Layout().kind) {
    case ControlKind::CommandButton:
        if (code == BN_CLICKED) {
            control.RaiseClick();
        }
        break;
    case ControlKind::OptionButton:
        if (code == BN_CLICKED) {
            for (const ChildWindow& other : children_) {
                if (other.control->Layout().kind == ControlKind::OptionButton) {
                    other.control->TakeChecked(SendMessageW(other.hwnd, BM_GETCHECK, 0, 0) ==
                                               BST_CHECKED);
                }
            }
            control.RaiseClick();
        }
        break;
    case ControlKind::ListBox:
        if (code == LBN_SELCHANGE) {
            control.TakeSelectedIndex(
                static_cast<int>(SendMessageW(child->hwnd, LB_GETCURSEL, 0, 0)));
            control.RaiseClick();
        } else if (code == LBN_DBLCLK) {
            control.RaiseDoubleClick();
        }
        break;
    case ControlKind::TextBox:
        if (code == EN_CHANGE) {
            control.TakeText(WindowText(child->hwnd));
        }
        break;
    default:
        break;
    }
}

void EventRouter::Mouse(HWND window, UINT message, POINT point)
{
    const ChildWindow* child = children_.HitTest(point);
    switch (message) {
    case WM_MOUSEMOVE:
        if (child != nullptr) {
            child->control->RaiseMouseMove();
        } else {
            form_.RaiseMouseMove();
        }
        break;
    case WM_LBUTTONDOWN:
        pressedId_ = child != nullptr ? child->id : 0;
        if (pressedId_ != 0) {
            SetCapture(window);
        }
        break;
    case WM_LBUTTONUP: {
        const int pressed = std::exchange(pressedId_, 0);
        if (GetCapture() == window) {
            ReleaseCapture();
        }
        if (child != nullptr && child->id == pressed) {
            child->control->RaiseClick();
        }
        break;
    }
    default:
        break;
    }
}

void EventRouter::Timer(UINT_PTR id)
{
    if (const ChildWindow* child = children_.FindById(static_cast<int>(id))) {
        child->control->RaiseTimer();
    }
}

// As dialog boxes do: the control that had the focus gets it back with the window.
void EventRouter::Activate(HWND window, WORD state) noexcept
{
    if (state == WA_INACTIVE) {
        if (HWND focused = GetFocus(); focused != nullptr && IsChild(window, focused)) {
            lastFocus_ = focused;
        }
    } else if (lastFocus_ != nullptr && IsWindow(lastFocus_) && IsWindowEnabled(lastFocus_)) {
        SetFocus(lastFocus_);
    } else if (HWND first = GetNextDlgTabItem(window, nullptr, FALSE)) {
        SetFocus(first);
    }
}

bool EventRouter::ContextMenu(HWND from, LPARAM position)
{
    const ChildWindow* child = children_.FindByWindow(from);
    if (child == nullptr || child->control->Layout().kind != ControlKind::ListBox) {
        return false;
    }
    if (position == -1) {
        RaiseKeyboardMenu(*child);
        return true;
    }
    // Screen coordinates, negative on a monitor left of or above the main one.
    POINT at{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    Control::ContextMenuRequest request;
    request.at = window::ScreenPoint{at.x, at.y};
    ScreenToClient(from, &at);
    request.itemUnderPointer = ListItemAt(from, at);
    child->control->RaiseContextMenu(request);
    return true;
}

// The keyboard's request has no pointer: the menu opens at the selected item.
void EventRouter::RaiseKeyboardMenu(const ChildWindow& list)
{
    const POINT at = ListKeyboardMenuPoint(list.hwnd);
    Control::ContextMenuRequest request;
    request.at = window::ScreenPoint{at.x, at.y};
    request.byKeyboard = true;
    list.control->RaiseContextMenu(request);
}

EventRouter::KeyAction EventRouter::ActionFor(const MSG& message,
                                              const ChildWindow* focused) const noexcept
{
    const Control* control = focused != nullptr ? focused->control : nullptr;
    const WPARAM key = message.wParam;
    if (message.message == WM_KEYDOWN && key == VK_F5 && form_.onRefillKey) {
        return KeyAction::Refill;
    }
    const bool ctrlDown = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    if (message.message == WM_KEYDOWN && key == 'S' && ctrlDown && form_.onSaveKey) {
        return KeyAction::Save;
    }
    if (message.message == WM_KEYDOWN && key == VK_DELETE && control != nullptr &&
        control->onDeleteKey) {
        return KeyAction::Delete;
    }
    const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    const bool menuKey = (message.message == WM_KEYDOWN && key == VK_APPS) ||
                         (message.message == WM_SYSKEYDOWN && key == VK_F10 && shift);
    if (menuKey && control != nullptr && control->Layout().kind == ControlKind::ListBox &&
        control->onContextMenu) {
        return KeyAction::ContextMenu;
    }
    return KeyAction::None;
}

bool EventRouter::Key(const MSG& message)
{
    if (message.message == WM_KEYUP || message.message == WM_SYSKEYUP) {
        // Windows' own handling of the release would act on the key a second time: the menu key
        // and F10 ask for the context menu, or the window menu, as they are let go.
        if (takenKey_ != 0 && message.wParam == takenKey_) {
            takenKey_ = 0;
            return true;
        }
        return false;
    }
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) {
        return false;
    }
    const ChildWindow* focused = children_.FindByWindow(message.hwnd);
    const KeyAction action = ActionFor(message, focused);
    if (action == KeyAction::None) {
        return false;
    }
    takenKey_ = message.wParam;
    // Held down, a key repeats its press with this bit set: one action a press.
    constexpr LPARAM kWasDown = LPARAM{1} << 30;
    if ((message.lParam & kWasDown) != 0) {
        return true;
    }
    switch (action) {
    case KeyAction::Refill:
        form_.RaiseRefillKey();
        break;
    case KeyAction::Save:
        form_.RaiseSaveKey();
        break;
    case KeyAction::Delete:
        focused->control->RaiseDeleteKey();
        break;
    case KeyAction::ContextMenu:
        RaiseKeyboardMenu(*focused);
        break;
    case KeyAction::None:
        break;
    }
    return true;
}

} // namespace platform::win32
