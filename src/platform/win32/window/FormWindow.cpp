#include "FormWindow.h"

#include "ControlIds.h"
#include "Dpi.h"
#include "Win32WindowSystem.h"

#include <windows.h>

#include <algorithm>
#include <commctrl.h>

namespace platform::win32 {
namespace {

using window::Colour;
using window::Control;
using window::ControlKind;
using window::Property;

constexpr wchar_t kClassName[] = L"TolvanForm";
constexpr window::Font kDialogFont{L"MS Sans Serif", 825, false, window::kCharsetDefault};

COLORREF Resolve(const Colour& colour) noexcept
{
    switch (colour.kind) {
    case Colour::Kind::WindowBackground:
        return GetSysColor(COLOR_WINDOW);
    case Colour::Kind::WindowText:
        return GetSysColor(COLOR_WINDOWTEXT);
    case Colour::Kind::ButtonShadow:
        return GetSysColor(COLOR_BTNSHADOW);
    case Colour::Kind::ButtonFace:
        return GetSysColor(COLOR_BTNFACE);
    case Colour::Kind::Rgb:
        return colour.rgb;
    }
    return 0;
}

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
    const ControlKind kind = control.layout().kind;
    if (kind == ControlKind::Frame) {
        return 2;
    }
    return IsTabStop(kind) ? 1 : 0;
}

std::wstring WindowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

} // namespace

void FormWindow::RegisterClass(HINSTANCE instance) noexcept
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &FormWindow::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);
}

FormWindow::FormWindow(Win32WindowSystem& system, window::FormModel& form, HWND owner)
    : system_(system), form_(form), owner_(owner)
{
    const window::WindowLayout& layout = form.layout();
    // No WS_CLIPCHILDREN: frames are see-through, and the surface drawn behind them shows.
    style_ = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    exStyle_ = layout.showInTaskbar ? WS_EX_APPWINDOW : WS_EX_DLGMODALFRAME;
    dpi_ = owner != nullptr ? dpi::ForWindow(owner) : dpi::ForSystem();

    for (const auto& control : form.controls()) {
        Child child;
        child.control = control.get();
        child.id = ControlId(layout, children_.size());
        children_.push_back(std::move(child));
    }

    HINSTANCE instance = system.instance();
    window_ = CreateWindowExW(exStyle_, kClassName, form.Caption().c_str(), style_, CW_USEDEFAULT,
                              CW_USEDEFAULT, 100, 100, owner, nullptr, instance, this);
    if (window_ == nullptr) {
        return;
    }
    if (layout.icon != 0) {
        bigIcon_.reset(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(layout.icon),
                                                     IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                                     GetSystemMetrics(SM_CYICON), 0)));
        smallIcon_.reset(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(layout.icon),
                                                       IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                       GetSystemMetrics(SM_CYSMICON), 0)));
        SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
        SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
    }
    tooltip_ =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, instance, nullptr);
    CreateChildren();
    ApplyDpi(dpi::ForWindow(window_), nullptr);
    form_.SetObserver(this);
}

FormWindow::~FormWindow()
{
    Destroy();
}

void FormWindow::Destroy() noexcept
{
    if (form_.observer() == this) {
        form_.SetObserver(nullptr);
    }
    if (window_ != nullptr) {
        for (Child& child : children_) {
            if (child.control->TimerEnabled() &&
                child.control->layout().kind == ControlKind::Timer) {
                KillTimer(window_, static_cast<UINT_PTR>(child.id));
            }
        }
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

void FormWindow::CreateChildren()
{
    std::vector<Child*> order;
    for (Child& child : children_) {
        if (HasWindow(child.control->layout().kind)) {
            order.push_back(&child);
        }
    }
    std::stable_sort(order.begin(), order.end(), [](const Child* a, const Child* b) {
        const int rankA = CreationRank(*a->control);
        const int rankB = CreationRank(*b->control);
        if (rankA != rankB) {
            return rankA < rankB;
        }
        return rankA == 1 && a->control->layout().tabIndex < b->control->layout().tabIndex;
    });
    bool firstOption = true;
    for (Child* child : order) {
        CreateChild(*child);
        if (child->control->layout().kind == ControlKind::OptionButton && firstOption) {
            SetWindowLongPtrW(child->hwnd, GWL_STYLE,
                              GetWindowLongPtrW(child->hwnd, GWL_STYLE) | WS_GROUP);
            firstOption = false;
        }
    }
    for (Child& child : children_) {
        SyncTimer(child);
    }
}

void FormWindow::CreateChild(Child& child)
{
    const Control& control = *child.control;
    const window::ControlLayout& layout = control.layout();
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    DWORD exStyle = 0;
    const wchar_t* className = L"STATIC";
    switch (layout.kind) {
    case ControlKind::Label:
        style |= SS_NOPREFIX | (layout.Has(window::kRightAligned) ? SS_RIGHT : SS_LEFT);
        if (layout.Has(window::kBorder)) {
            style |= WS_BORDER | SS_EDITCONTROL;
        }
        break;
    case ControlKind::Image:
        style |= SS_BITMAP | SS_REALSIZECONTROL;
        break;
    case ControlKind::Frame:
        className = L"BUTTON";
        style |= BS_GROUPBOX;
        break;
    case ControlKind::CommandButton:
        className = L"BUTTON";
        style |= BS_PUSHBUTTON | WS_TABSTOP;
        break;
    case ControlKind::OptionButton:
        className = L"BUTTON";
        style |= BS_AUTORADIOBUTTON | WS_TABSTOP;
        break;
    case ControlKind::TextBox:
        className = L"EDIT";
        style |= ES_AUTOHSCROLL | WS_TABSTOP;
        exStyle |= WS_EX_CLIENTEDGE;
        break;
    case ControlKind::ListBox:
        className = L"LISTBOX";
        style |= LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP;
        exStyle |= WS_EX_CLIENTEDGE;
        break;
    default:
        return;
    }
    if (control.Visible()) {
        style |= WS_VISIBLE;
    }
    if (!control.Enabled()) {
        style |= WS_DISABLED;
    }
    const std::wstring caption = layout.kind == ControlKind::Image ? L"" : control.Caption();
    child.hwnd = CreateWindowExW(exStyle, className, caption.c_str(), style, 0, 0, 0, 0, window_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(child.id)),
                                 system_.instance(), nullptr);
    if (layout.kind == ControlKind::OptionButton && control.Value()) {
        SendMessageW(child.hwnd, BM_SETCHECK, BST_CHECKED, 0);
    }
    SyncItems(child);
}

void FormWindow::ApplyDpi(UINT dpi, const RECT* suggested)
{
    dpi_ = dpi;
    // The old fonts stay alive until every control has its new one.
    const auto oldFonts = std::move(fonts_);
    fonts_.clear();
    for (Child& child : children_) {
        if (child.hwnd == nullptr) {
            continue;
        }
        ApplyFont(child);
        LoadPicture(child);
        PlaceChild(child);
    }
    PlaceWindow(suggested);
    InvalidateRect(window_, nullptr, TRUE);
}

void FormWindow::PlaceWindow(const RECT* suggested)
{
    const window::WindowLayout& layout = form_.layout();
    RECT frame{0, 0, dpi::Pixels(layout.clientWidth, dpi_), dpi::Pixels(layout.clientHeight, dpi_)};
    dpi::AdjustWindowRect(frame, style_, exStyle_, dpi_);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    int x = 0;
    int y = 0;
    if (suggested != nullptr) {
        x = suggested->left;
        y = suggested->top;
    } else {
        RECT area{};
        if (owner_ != nullptr) {
            GetWindowRect(owner_, &area);
        } else {
            MONITORINFO monitor{};
            monitor.cbSize = sizeof(monitor);
            GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
            area = monitor.rcWork;
        }
        x = area.left + (area.right - area.left - width) / 2;
        y = area.top + (area.bottom - area.top - height) / 2;
    }
    SetWindowPos(window_, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

POINT FormWindow::TwipsOrigin(const Control& control) const
{
    POINT origin{control.Left(), control.Top()};
    if (!control.layout().container.empty()) {
        for (const Child& child : children_) {
            if (child.control->layout().name == control.layout().container) {
                origin.x += child.control->Left();
                origin.y += child.control->Top();
                break;
            }
        }
    }
    return origin;
}

RECT FormWindow::TwipsRect(const Control& control) const
{
    const POINT origin = TwipsOrigin(control);
    return RECT{origin.x, origin.y, origin.x + control.Width(), origin.y + control.Height()};
}

void FormWindow::PlaceChild(Child& child)
{
    RECT twips = TwipsRect(*child.control);
    const window::ControlLayout& layout = child.control->layout();
    if (layout.Has(window::kSizesToText) && layout.Has(window::kRightAligned)) {
        // The anchor is the right edge of the layout's box, not of the last text's width: a new
        // caption must not walk the label across the window.
        twips.right = twips.left + layout.width;
    }
    child.rect = RECT{dpi::Pixels(twips.left, dpi_), dpi::Pixels(twips.top, dpi_),
                      dpi::Pixels(twips.right, dpi_), dpi::Pixels(twips.bottom, dpi_)};
    if (child.control->layout().Has(window::kSizesToText)) {
        FitToText(child);
    }
    if (child.hwnd != nullptr) {
        SetWindowPos(child.hwnd, nullptr, child.rect.left, child.rect.top,
                     child.rect.right - child.rect.left, child.rect.bottom - child.rect.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        if (layout.Has(window::kSizesToText)) {
            // A grown label keeps what it drew at its old size; the new text needs all of it.
            InvalidateRect(child.hwnd, nullptr, TRUE);
        }
    }
    if (child.hasTool) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.hwnd = window_;
        tool.uId = static_cast<UINT_PTR>(child.id);
        tool.rect = child.rect;
        SendMessageW(tooltip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

// A label that sizes to its text takes the size of its caption in its font; a right-aligned one
// keeps its right edge where the layout puts it.
void FormWindow::FitToText(Child& child)
{
    const std::wstring& text = child.control->Caption();
    SIZE size{0, 0};
    if (!text.empty()) {
        WindowDc dc(window_);
        SelectedObject font(dc.get(), Font(*child.control));
        RECT measured{0, 0, 0, 0};
        DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &measured,
                  DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        size = SIZE{measured.right, measured.bottom};
    }
    if (child.control->layout().Has(window::kRightAligned)) {
        child.rect.left = child.rect.right - size.cx;
    } else {
        child.rect.right = child.rect.left + size.cx;
    }
    child.rect.bottom = child.rect.top + size.cy;
    child.control->TakeSize(MulDiv(size.cx, 1440, static_cast<int>(dpi_)),
                            MulDiv(size.cy, 1440, static_cast<int>(dpi_)));
}

HFONT FormWindow::Font(const Control& control)
{
    const window::ControlLayout& layout = control.layout();
    const window::Font& spec =
        layout.font ? *layout.font : (form_.layout().font ? *form_.layout().font : kDialogFont);
    FontKey key{std::wstring(spec.face), spec.hundredthsOfPoint, spec.bold, spec.charset,
                control.Underline()};
    auto it = fonts_.find(key);
    if (it == fonts_.end()) {
        LOGFONTW font{};
        font.lfHeight = -MulDiv(spec.hundredthsOfPoint, static_cast<int>(dpi_), 7200);
        font.lfWeight = spec.bold ? FW_BOLD : FW_NORMAL;
        font.lfUnderline = control.Underline() ? TRUE : FALSE;
        font.lfCharSet = spec.charset;
        font.lfQuality = DEFAULT_QUALITY;
        const std::size_t length = std::min<std::size_t>(spec.face.size(), LF_FACESIZE - 1);
        std::copy_n(spec.face.begin(), length, font.lfFaceName);
        it = fonts_.emplace(key, OwnedFont(CreateFontIndirectW(&font))).first;
    }
    return it->second.get();
}

void FormWindow::ApplyFont(Child& child)
{
    const ControlKind kind = child.control->layout().kind;
    if (kind == ControlKind::Image) {
        return;
    }
    SendMessageW(child.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(Font(*child.control)), TRUE);
}

void FormWindow::LoadPicture(Child& child)
{
    const window::ControlLayout& layout = child.control->layout();
    if (layout.kind != ControlKind::Image || layout.picture == 0) {
        return;
    }
    const int width = dpi::Pixels(child.control->Width(), dpi_);
    const int height = dpi::Pixels(child.control->Height(), dpi_);
    OwnedBitmap bitmap(static_cast<HBITMAP>(LoadImageW(
        system_.instance(), MAKEINTRESOURCEW(layout.picture), IMAGE_BITMAP, width, height, 0)));
    SendMessageW(child.hwnd, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap.get()));
    child.bitmap = std::move(bitmap);
}

HBRUSH FormWindow::Brush(COLORREF colour)
{
    auto it = brushes_.find(colour);
    if (it == brushes_.end()) {
        it = brushes_.emplace(colour, OwnedBrush(CreateSolidBrush(colour))).first;
    }
    return it->second.get();
}

void FormWindow::UpdateTooltip(Child& child)
{
    if (tooltip_ == nullptr) {
        return;
    }
    std::wstring text = child.control->Tooltip();
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = window_;
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

void FormWindow::SyncItems(Child& child)
{
    if (child.control->layout().kind != ControlKind::ListBox || child.hwnd == nullptr) {
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
    for (std::size_t i = count; i < items.size(); ++i) {
        SendMessageW(child.hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items[i].c_str()));
    }
    SendMessageW(child.hwnd, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(child.hwnd, nullptr, TRUE);
}

void FormWindow::SyncTimer(Child& child)
{
    if (child.control->layout().kind != ControlKind::Timer || window_ == nullptr) {
        return;
    }
    if (child.control->TimerEnabled() && child.control->Interval() > 0) {
        SetTimer(window_, static_cast<UINT_PTR>(child.id),
                 static_cast<UINT>(child.control->Interval()), nullptr);
    } else {
        KillTimer(window_, static_cast<UINT_PTR>(child.id));
    }
}

void FormWindow::ControlChanged(Control& control, Property property)
{
    Child* child = FindByControl(control);
    if (child == nullptr || window_ == nullptr) {
        return;
    }
    const ControlKind kind = control.layout().kind;
    switch (property) {
    case Property::Caption:
        if (child->hwnd != nullptr) {
            SetWindowTextW(child->hwnd, control.Caption().c_str());
            if (control.layout().Has(window::kSizesToText)) {
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
        ApplyFont(*child);
        if (control.layout().Has(window::kSizesToText)) {
            PlaceChild(*child);
        }
        break;
    case Property::Tooltip:
        UpdateTooltip(*child);
        break;
    case Property::Position:
    case Property::Size:
        PlaceChild(*child);
        break;
    case Property::Items:
        SyncItems(*child);
        break;
    case Property::ListIndex:
        SendMessageW(child->hwnd, LB_SETCURSEL, static_cast<WPARAM>(control.ListIndex()), 0);
        break;
    case Property::Value:
        SendMessageW(child->hwnd, BM_SETCHECK, control.Value() ? BST_CHECKED : BST_UNCHECKED, 0);
        break;
    case Property::Timer:
        SyncTimer(*child);
        break;
    }
}

void FormWindow::CaptionChanged(window::FormModel& form)
{
    if (window_ != nullptr) {
        SetWindowTextW(window_, form.Caption().c_str());
    }
}

FormWindow::Child* FormWindow::FindById(int id)
{
    const auto it = std::find_if(children_.begin(), children_.end(),
                                 [&](const Child& child) { return child.id == id; });
    return it == children_.end() ? nullptr : &*it;
}

FormWindow::Child* FormWindow::FindByWindow(HWND window)
{
    const auto it = std::find_if(children_.begin(), children_.end(),
                                 [&](const Child& child) { return child.hwnd == window; });
    return it == children_.end() ? nullptr : &*it;
}

FormWindow::Child* FormWindow::FindByControl(const Control& control)
{
    const auto it = std::find_if(children_.begin(), children_.end(),
                                 [&](const Child& child) { return child.control == &control; });
    return it == children_.end() ? nullptr : &*it;
}

// The front-most visible label, picture or frame under the point, in stored order; none over the
// bare surface (the decorative shape and lines take no mouse input).
FormWindow::Child* FormWindow::HitTest(POINT point)
{
    for (Child& child : children_) {
        if (child.hwnd != nullptr && IsMouseTransparent(child.control->layout().kind) &&
            child.control->Visible() && PtInRect(&child.rect, point)) {
            return &child;
        }
    }
    return nullptr;
}

void FormWindow::OnMouse(UINT message, POINT point)
{
    Child* child = HitTest(point);
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
            SetCapture(window_);
        }
        break;
    case WM_LBUTTONUP: {
        const int pressed = std::exchange(pressedId_, 0);
        if (GetCapture() == window_) {
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

// cppcheck-suppress constParameter ; a window handle is opaque, its target never read
void FormWindow::OnCommand(int id, int code, HWND controlWindow)
{
    if (id == IDOK && controlWindow == nullptr) {
        // Enter, as the dialog manager reports it: the list's key press when it has the focus.
        if (Child* focused = FindByWindow(GetFocus());
            focused != nullptr && focused->control->layout().kind == ControlKind::ListBox) {
            focused->control->RaiseKeyPress(13);
        }
        return;
    }
    Child* child = FindById(id);
    if (child == nullptr) {
        return;
    }
    Control& control = *child->control;
    switch (control.layout().kind) {
    case ControlKind::CommandButton:
        if (code == BN_CLICKED) {
            control.RaiseClick();
        }
        break;
    case ControlKind::OptionButton:
        if (code == BN_CLICKED) {
            for (Child& other : children_) {
                if (other.control->layout().kind == ControlKind::OptionButton) {
                    other.control->TakeValue(SendMessageW(other.hwnd, BM_GETCHECK, 0, 0) ==
                                             BST_CHECKED);
                }
            }
            control.RaiseClick();
        }
        break;
    case ControlKind::ListBox:
        if (code == LBN_SELCHANGE) {
            control.TakeListIndex(static_cast<int>(SendMessageW(child->hwnd, LB_GETCURSEL, 0, 0)));
            control.RaiseClick();
        } else if (code == LBN_DBLCLK) {
            control.RaiseDblClick();
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

LRESULT FormWindow::OnColourStatic(HDC dc, HWND controlWindow)
{
    Child* child = FindByWindow(controlWindow);
    if (child == nullptr) {
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    const COLORREF back = Resolve(child->control->BackColour());
    SetTextColor(dc, Resolve(child->control->ForeColour()));
    SetBkColor(dc, back);
    return reinterpret_cast<LRESULT>(Brush(back));
}

// The window surface: the face colour, then the filled shapes and the lines, behind every control.
void FormWindow::PaintBackground(HDC dc)
{
    RECT client{};
    GetClientRect(window_, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    for (const Child& child : children_) {
        const Control& control = *child.control;
        if (control.layout().kind != ControlKind::Shape || !control.Visible()) {
            continue;
        }
        const RECT twips = TwipsRect(control);
        const RECT pixels{dpi::Pixels(twips.left, dpi_), dpi::Pixels(twips.top, dpi_),
                          dpi::Pixels(twips.right, dpi_), dpi::Pixels(twips.bottom, dpi_)};
        FillRect(dc, &pixels, Brush(Resolve(control.BackColour())));
    }
    for (const Child& child : children_) {
        const Control& control = *child.control;
        const window::ControlLayout& layout = control.layout();
        if (layout.kind != ControlKind::Line || !control.Visible()) {
            continue;
        }
        const POINT origin = TwipsOrigin(control);
        OwnedPen pen(CreatePen(
            PS_SOLID, 1,
            Resolve(layout.lineColour.value_or(Colour::System(Colour::Kind::WindowText)))));
        SelectedObject selected(dc, pen.get());
        MoveToEx(dc, dpi::Pixels(origin.x + layout.x1, dpi_),
                 dpi::Pixels(origin.y + layout.y1, dpi_), nullptr);
        LineTo(dc, dpi::Pixels(origin.x + layout.x2, dpi_),
               dpi::Pixels(origin.y + layout.y2, dpi_));
    }
}

LRESULT FormWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        PaintBackground(reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_CTLCOLORSTATIC:
        return OnColourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        OnMouse(message,
                POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        return 0;
    case WM_TIMER:
        if (Child* child = FindById(static_cast<int>(wParam))) {
            child->control->RaiseTimer();
        }
        return 0;
    case WM_ACTIVATE:
        // As dialog boxes do: the control that had the focus gets it back with the window.
        if (LOWORD(wParam) == WA_INACTIVE) {
            if (HWND focused = GetFocus(); focused != nullptr && IsChild(window_, focused)) {
                lastFocus_ = focused;
            }
        } else if (lastFocus_ != nullptr && IsWindow(lastFocus_) && IsWindowEnabled(lastFocus_)) {
            SetFocus(lastFocus_);
        } else if (HWND first = GetNextDlgTabItem(window_, nullptr, FALSE)) {
            SetFocus(first);
        }
        return 0;
    case WM_CLOSE:
        system_.Unload(form_);
        return 0;
    case WM_DPICHANGED:
        ApplyDpi(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
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
    try {
        return self->Handle(message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind through the window system; the event is lost, the program goes on.
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace platform::win32
