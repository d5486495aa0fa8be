#include "FormWindow.h"

#include "Dpi.h"
#include "Win32WindowSystem.h"
#include "WindowFailures.h"
#include "platform/StartupTrace.h"

#include <windows.h>

#include <exception>
#include <string>

namespace platform::win32 {
namespace {

using window::Control;
using window::ControlKind;
using window::Property;

constexpr wchar_t kClassName[] = L"TolvanForm";

WindowFrame FrameFor(const window::WindowLayout& layout) noexcept
{
    // No WS_CLIPCHILDREN: frames are see-through, and the surface drawn behind them shows.
    return WindowFrame{WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                       layout.showInTaskbar ? static_cast<DWORD>(WS_EX_APPWINDOW)
                                            : static_cast<DWORD>(WS_EX_DLGMODALFRAME)};
}

} // namespace

void FormWindow::RegisterWindowClass(HINSTANCE instance)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &FormWindow::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    if (RegisterClassExW(&windowClass) == 0) {
        // Every window system of the process registers it; the first one's stands.
        if (const DWORD error = GetLastError(); error != ERROR_CLASS_ALREADY_EXISTS) {
            ThrowCreationFailure(error,
                                 std::wstring(L"cannot register the window class ") + kClassName);
        }
    }
}

FormWindow::FormWindow(Win32WindowSystem& system, window::FormModel& form, HWND owner)
    : system_(system), form_(form), owner_(owner), frame_(FrameFor(form.Layout())), children_(form),
      dpiLayout_(form, children_, system.Instance(),
                 owner != nullptr ? dpi::ForWindow(owner) : dpi::ForSystem()),
      painter_(children_), listPainter_(children_), events_(form, children_)
{
    CreateWindows();
    form_.SetObserver(this);
}

FormWindow::~FormWindow()
{
    Destroy();
}

void FormWindow::CreateWindows()
{
    HINSTANCE instance = system_.Instance();
    // WindowProc already sets window_ while Windows makes the window.
    window_ =
        CreateWindowExW(frame_.exStyle, kClassName, form_.Caption().c_str(), frame_.style,
                        CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, owner_, nullptr, instance, this);
    if (window_ == nullptr) {
        const DWORD error = GetLastError();
        ThrowCreationFailure(error, L"cannot create the window of form " +
                                        std::wstring(form_.Layout().name));
    }
    // No destructor runs for an object whose constructor throws: until the window is complete,
    // a failure takes it down, with whatever it holds, here.
    OwnedWindow incomplete(window_);
    MarkStartup("window created");
    LoadIcons(instance);
    tooltips_.Create(window_, instance, form_.Layout().name);
    children_.Create(window_, instance);
    ApplyDpi(dpi::ForWindow(window_), nullptr);
    static_cast<void>(incomplete.release());
    MarkStartup("controls created");
}

void FormWindow::LoadIcons(HINSTANCE instance)
{
    const int icon = form_.Layout().icon;
    if (icon == 0) {
        return;
    }
    bigIcon_.reset(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(icon), IMAGE_ICON,
                                                 GetSystemMetrics(SM_CXICON),
                                                 GetSystemMetrics(SM_CYICON), 0)));
    smallIcon_.reset(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(icon), IMAGE_ICON,
                                                   GetSystemMetrics(SM_CXSMICON),
                                                   GetSystemMetrics(SM_CYSMICON), 0)));
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
}

void FormWindow::Destroy() noexcept
{
    if (form_.Observer() == this) {
        form_.SetObserver(nullptr);
    }
    if (window_ != nullptr) {
        children_.StopTimers(window_);
        HWND window = window_;
        window_ = nullptr;
        DestroyWindow(window); // takes the controls and the tooltip window with it
    }
}

void FormWindow::Show() noexcept
{
    if (window_ == nullptr) {
        return;
    }
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
    if (HWND first = GetNextDlgTabItem(window_, nullptr, FALSE)) {
        SetFocus(first);
    }
}

void FormWindow::ApplyDpi(UINT dpi, const RECT* suggested)
{
    dpiLayout_.Rescale(window_, dpi);
    for (const ChildWindow& child : children_) {
        tooltips_.Move(window_, child);
    }
    dpiLayout_.PlaceWindow(window_, owner_, frame_, suggested);
    InvalidateRect(window_, nullptr, TRUE);
}

void FormWindow::PlaceChild(ChildWindow& child)
{
    dpiLayout_.Place(window_, child);
    tooltips_.Move(window_, child);
}

void FormWindow::ControlChanged(Control& control, Property property)
{
    ChildWindow* child = children_.FindByControl(control);
    if (child == nullptr || window_ == nullptr) {
        return;
    }
    const ControlKind kind = control.Layout().kind;
    const bool sizesToText = control.Layout().Has(window::kSizesToText);
    switch (property) {
    case Property::Caption:
        if (child->hwnd != nullptr) {
            SetWindowTextW(child->hwnd, control.Caption().c_str());
            if (sizesToText) {
                PlaceChild(*child);
            }
        }
        break;
    case Property::Enabled:
        EnableWindow(child->hwnd, control.Enabled() ? TRUE : FALSE);
        break;
    case Property::Visible:
        ShowWindow(child->hwnd, control.Visible() ? SW_SHOWNA : SW_HIDE);
        if (kind == ControlKind::Line || kind == ControlKind::Shape) {
            InvalidateRect(window_, nullptr, TRUE);
        }
        break;
    case Property::ForeColour:
    case Property::BackColour:
        InvalidateRect(child->hwnd != nullptr ? child->hwnd : window_, nullptr, TRUE);
        break;
    case Property::Underline:
        dpiLayout_.ApplyFont(*child);
        if (sizesToText) {
            PlaceChild(*child);
        }
        break;
    case Property::Tooltip:
        tooltips_.Update(window_, *child);
        break;
    case Property::Position:
    case Property::Size:
        PlaceChild(*child);
        break;
    case Property::Items:
        ChildWindows::SyncItems(*child);
        break;
    case Property::Selection:
        SendMessageW(child->hwnd, LB_SETCURSEL, static_cast<WPARAM>(control.SelectedIndex()), 0);
        break;
    case Property::Checked:
        SendMessageW(child->hwnd, BM_SETCHECK, control.Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
        break;
    case Property::Timer:
        ChildWindows::SyncTimer(window_, *child);
        break;
    case Property::ItemLook:
        InvalidateRect(child->hwnd, nullptr, FALSE);
        break;
    case Property::TopIndex:
        SendMessageW(child->hwnd, LB_SETTOPINDEX, static_cast<WPARAM>(control.RequestedTopIndex()),
                     0);
        break;
    }
}

void FormWindow::ItemChanged(Control& control, Property property, std::size_t index)
{
    const ChildWindow* child = children_.FindByControl(control);
    if (child == nullptr || child->hwnd == nullptr || window_ == nullptr) {
        return;
    }
    // The whole line is drawn anew, its background too: nothing needs erasing first.
    RECT line{};
    if (property == Property::ItemLook && SendMessageW(child->hwnd, LB_GETITEMRECT, index,
                                                       reinterpret_cast<LPARAM>(&line)) != LB_ERR) {
        InvalidateRect(child->hwnd, &line, FALSE);
    } else {
        ControlChanged(control, property);
    }
}

// Asked while the list box is being made, before it has a font: it gets the height its font will
// give it. A change of DPI sets the height anew with the font.
void FormWindow::MeasureItem(MEASUREITEMSTRUCT& item)
{
    const ChildWindow* child = children_.FindById(static_cast<int>(item.CtlID));
    if (item.CtlType == ODT_LISTBOX && child != nullptr) {
        item.itemHeight = static_cast<UINT>(dpiLayout_.ListItemHeight(window_, *child->control));
    }
}

std::optional<std::ptrdiff_t> FormWindow::ShownTopIndex(const Control& control) const
{
    const ChildWindow* child = children_.FindByControl(control);
    if (child == nullptr || child->hwnd == nullptr || window_ == nullptr ||
        control.Layout().kind != ControlKind::ListBox) {
        return std::nullopt;
    }
    const LRESULT top = SendMessageW(child->hwnd, LB_GETTOPINDEX, 0, 0);
    if (top == LB_ERR) {
        return std::nullopt;
    }
    return static_cast<std::ptrdiff_t>(top);
}

bool FormWindow::TakeKey(const MSG& message) noexcept
{
    // Read before the handler runs, which may unload the form (see WindowProc).
    // cppcheck-suppress variableScope ; needed after the handler, which may free its source
    Win32WindowSystem& system = system_;
    const FailureSite site{message.message, form_.Layout().name};
    try {
        return events_.Key(message);
    } catch (...) { // handed on, not hidden
        system.StopWithFailure(std::current_exception(), site);
        return true;
    }
}

void FormWindow::CaptionChanged(window::FormModel& form)
{
    if (window_ != nullptr) {
        SetWindowTextW(window_, form.Caption().c_str());
    }
}

LRESULT FormWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        painter_.PaintBackground(window_, reinterpret_cast<HDC>(wParam), dpiLayout_.CurrentDpi());
        return 1;
    case WM_MEASUREITEM:
        MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_DRAWITEM:
        listPainter_.Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<LRESULT>(
            painter_.ColourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    case WM_COMMAND:
        events_.Command(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        events_.Mouse(
            window_, message,
            POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        return 0;
    case WM_TIMER:
        events_.Timer(wParam);
        return 0;
    case WM_ACTIVATE:
        events_.Activate(window_, LOWORD(wParam));
        return 0;
    case WM_CLOSE:
        system_.Unload(form_);
        return 0;
    case WM_CONTEXTMENU:
        // A list box hands its context menu to its parent.
        if (events_.ContextMenu(reinterpret_cast<HWND>(wParam), lParam)) {
            return 0;
        }
        return DefWindowProcW(window_, message, wParam, lParam);
    case WM_DPICHANGED:
        ApplyDpi(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_PAINT: {
        const LRESULT result = DefWindowProcW(window_, message, wParam, lParam);
        MarkStartup("first paint"); // the trace keeps only the first
        return result;
    }
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}

LRESULT CALLBACK FormWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                        LPARAM lParam) noexcept
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        auto* self = static_cast<FormWindow*>(create->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        if (self != nullptr) {
            self->window_ = nullptr;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (self == nullptr || self->window_ != window) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    // Read before the handler runs: it may unload the form, and a message loop it then runs may
    // free this object.
    // cppcheck-suppress variableScope ; needed after the handler, which may free its source
    Win32WindowSystem& system = self->system_;
    const FailureSite site{message, self->form_.Layout().name};
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (...) { // handed on, not hidden
        // The window system ends its message loops and rethrows the failure from them. The
        // message counts as handled: Windows' own handling could act on a half-done change
        // (WM_CLOSE would destroy the window of a form that is still loaded).
        system.StopWithFailure(std::current_exception(), site);
        return 0;
    }
}

} // namespace platform::win32
