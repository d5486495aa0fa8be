#include "ChildWindows.h"

#include "ControlIds.h"
#include "WindowFailures.h"

#include <windows.h>

#include <algorithm>
#include <string>

namespace platform::win32 {
namespace {

using window::Control;
using window::ControlKind;

bool HasWindow(ControlKind kind) noexcept
{
    return kind != ControlKind::Timer && kind != ControlKind::Line && kind != ControlKind::Shape;
}

bool IsTabStop(ControlKind kind) noexcept
{
    return kind == ControlKind::TextBox || kind == ControlKind::CommandButton ||
           kind == ControlKind::OptionButton || kind == ControlKind::ListBox;
}

// Labels, images and frames let the mouse through to the window, which finds the control under
// it itself: so moves and clicks over them reach the model like any other.
bool IsMouseTransparent(ControlKind kind) noexcept
{
    return kind == ControlKind::Label || kind == ControlKind::Image || kind == ControlKind::Frame;
}

// Windows are stacked in the order they are made, the first on top: pictures and labels in
// their stored order (front to back), then the focusable controls in focus order (which is also
// the order the dialog manager tabs through), then the frames beneath everything.
int CreationRank(const Control& control) noexcept
{
    const ControlKind kind = control.Layout().kind;
    if (kind == ControlKind::Frame) {
        return 2;
    }
    return IsTabStop(kind) ? 1 : 0;
}

struct WindowClass {
    const wchar_t* name = L"STATIC";
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    DWORD exStyle = 0;
};

WindowClass ClassFor(const window::ControlLayout& layout) noexcept
{
    WindowClass made;
    switch (layout.kind) {
    case ControlKind::Label:
        made.style |= SS_NOPREFIX | (layout.Has(window::kRightAligned) ? SS_RIGHT : SS_LEFT);
        if (layout.Has(window::kBorder)) {
            made.style |= WS_BORDER | SS_EDITCONTROL;
        }
        break;
    case ControlKind::Image:
        made.style |= SS_BITMAP | SS_REALSIZECONTROL;
        break;
    case ControlKind::Frame:
        made.name = L"BUTTON";
        made.style |= BS_GROUPBOX;
        break;
    case ControlKind::CommandButton:
        made.name = L"BUTTON";
        made.style |= BS_PUSHBUTTON | WS_TABSTOP;
        break;
    case ControlKind::OptionButton:
        made.name = L"BUTTON";
        made.style |= BS_AUTORADIOBUTTON | WS_TABSTOP;
        break;
    case ControlKind::TextBox:
        made.name = L"EDIT";
        made.style |= ES_AUTOHSCROLL | WS_TABSTOP;
        made.exStyle |= WS_EX_CLIENTEDGE;
        break;
    case ControlKind::ListBox:
        // Its window draws the lines (some of them dimmed); the list keeps the strings, so that
        // reading them, finding them and typing to find them work as on any list box.
        made.name = L"LISTBOX";
        made.style |= LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT |
                      WS_VSCROLL | WS_TABSTOP;
        made.exStyle |= WS_EX_CLIENTEDGE;
        break;
    default:
        break;
    }
    return made;
}

} // namespace

ChildWindows::ChildWindows(window::FormModel& form) : layout_(form.Layout())
{
    children_.reserve(form.Controls().size());
    for (const auto& control : form.Controls()) {
        ChildWindow child;
        child.control = control.get();
        child.id = ControlId(layout_, children_.size());
        children_.push_back(std::move(child));
    }
}

void ChildWindows::Create(HWND parent, HINSTANCE instance)
{
    std::vector<ChildWindow*> order;
    for (ChildWindow& child : children_) {
        if (HasWindow(child.control->Layout().kind)) {
            order.push_back(&child);
        }
    }
    std::stable_sort(order.begin(), order.end(), [](const ChildWindow* a, const ChildWindow* b) {
        const int rankA = CreationRank(*a->control);
        const int rankB = CreationRank(*b->control);
        if (rankA != rankB) {
            return rankA < rankB;
        }
        return rankA == 1 && a->control->Layout().tabIndex < b->control->Layout().tabIndex;
    });
    bool firstOption = true;
    for (ChildWindow* child : order) {
        CreateOne(*child, parent, instance);
        if (child->control->Layout().kind == ControlKind::OptionButton && firstOption) {
            SetWindowLongPtrW(child->hwnd, GWL_STYLE,
                              GetWindowLongPtrW(child->hwnd, GWL_STYLE) | WS_GROUP);
            firstOption = false;
        }
    }
    for (const ChildWindow& child : children_) {
        SyncTimer(parent, child);
    }
}

void ChildWindows::CreateOne(ChildWindow& child, HWND parent, HINSTANCE instance) const
{
    const Control& control = *child.control;
    const window::ControlLayout& layout = control.Layout();
    WindowClass made = ClassFor(layout);
    if (control.Visible()) {
        made.style |= WS_VISIBLE;
    }
    if (!control.Enabled()) {
        made.style |= WS_DISABLED;
    }
    const std::wstring caption = layout.kind == ControlKind::Image ? L"" : control.Caption();
    child.hwnd =
        CreateWindowExW(made.exStyle, made.name, caption.c_str(), made.style, 0, 0, 0, 0, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(child.id)), instance, nullptr);
    if (child.hwnd == nullptr) {
        const DWORD error = GetLastError();
        ThrowCreationFailure(error, L"cannot create the window of control " +
                                        std::wstring(layout.name) + L" in form " +
                                        std::wstring(layout_.name));
    }
    if (layout.kind == ControlKind::OptionButton && control.Checked()) {
        SendMessageW(child.hwnd, BM_SETCHECK, BST_CHECKED, 0);
    }
    SyncItems(child);
}

void ChildWindows::StopTimers(HWND parent) noexcept
{
    for (const ChildWindow& child : children_) {
        if (child.control->TimerEnabled() && child.control->Layout().kind == ControlKind::Timer) {
            KillTimer(parent, static_cast<UINT_PTR>(child.id));
        }
    }
}

void ChildWindows::SyncTimer(HWND parent, const ChildWindow& child) noexcept
{
    if (child.control->Layout().kind != ControlKind::Timer || parent == nullptr) {
        return;
    }
    if (child.control->TimerEnabled() && child.control->Interval() > 0) {
        SetTimer(parent, static_cast<UINT_PTR>(child.id),
                 static_cast<UINT>(child.control->Interval()), nullptr);
    } else {
        KillTimer(parent, static_cast<UINT_PTR>(child.id));
    }
}

void ChildWindows::SyncItems(const ChildWindow& child)
{
    if (child.control->Layout().kind != ControlKind::ListBox || child.hwnd == nullptr) {
        return;
    }
    const auto& items = child.control->Items();
    auto count = static_cast<std::size_t>(SendMessageW(child.hwnd, LB_GETCOUNT, 0, 0));
    // Filled with redraw off and painted once at the end, so long lists fill quickly.
    SendMessageW(child.hwnd, WM_SETREDRAW, FALSE, 0);
    if (items.size() < count) {
        SendMessageW(child.hwnd, LB_RESETCONTENT, 0, 0);
        count = 0;
    }
    if (items.size() > count) {
        // Room for every new line at once, rather than growing the list box's own array line by
        // line. The size of the texts is a hint only.
        SendMessageW(child.hwnd, LB_INITSTORAGE, items.size() - count,
                     static_cast<LPARAM>((items.size() - count) * 64 * sizeof(wchar_t)));
    }
    for (std::size_t i = count; i < items.size(); ++i) {
        SendMessageW(child.hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items[i].c_str()));
    }
    SendMessageW(child.hwnd, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(child.hwnd, nullptr, TRUE);
}

const ChildWindow* ChildWindows::FindById(int id) const noexcept
{
    const auto it = std::find_if(children_.begin(), children_.end(),
                                 [&](const ChildWindow& child) { return child.id == id; });
    return it == children_.end() ? nullptr : &*it;
}

const ChildWindow* ChildWindows::FindByWindow(HWND window) const noexcept
{
    const auto it = std::find_if(children_.begin(), children_.end(),
                                 [&](const ChildWindow& child) { return child.hwnd == window; });
    return it == children_.end() ? nullptr : &*it;
}

ChildWindow* ChildWindows::FindByControl(const Control& control) noexcept
{
    const auto it = std::find_if(children_.begin(), children_.end(), [&](const ChildWindow& child) {
        return child.control == &control;
    });
    return it == children_.end() ? nullptr : &*it;
}

const ChildWindow* ChildWindows::FindByControl(const Control& control) const noexcept
{
    const auto it = std::find_if(children_.begin(), children_.end(), [&](const ChildWindow& child) {
        return child.control == &control;
    });
    return it == children_.end() ? nullptr : &*it;
}

const ChildWindow* ChildWindows::HitTest(POINT point) const noexcept
{
    for (const ChildWindow& child : children_) {
        if (child.hwnd != nullptr && IsMouseTransparent(child.control->Layout().kind) &&
            child.control->Visible() && PtInRect(&child.rect, point)) {
            return &child;
        }
    }
    return nullptr;
}

POINT ChildWindows::TwipsOrigin(const Control& control) const noexcept
{
    POINT origin{control.Left(), control.Top()};
    // One record per control in the layout's order: a container's id is its place here.
    if (const int container = control.Layout().container; container != window::kNoContainer) {
        const Control& frame = *children_.at(static_cast<std::size_t>(container)).control;
        origin.x += frame.Left();
        origin.y += frame.Top();
    }
    return origin;
}

RECT ChildWindows::TwipsRect(const Control& control) const noexcept
{
    const POINT origin = TwipsOrigin(control);
    return RECT{origin.x, origin.y, origin.x + control.Width(), origin.y + control.Height()};
}

} // namespace platform::win32
