#include "DpiLayout.h"

#include "Dpi.h"

#include <windows.h>

#include <string>
#include <utility>

namespace platform::win32 {
namespace {

using window::ControlKind;

constexpr window::Font kDialogFont{L"MS Sans Serif", 825, false, window::kCharsetDefault};

} // namespace

DpiLayout::DpiLayout(const window::FormModel& form, ChildWindows& children, HINSTANCE instance,
                     UINT dpi) noexcept
    : form_(form), children_(children), instance_(instance), dpi_(dpi), fonts_(dpi)
{
}

void DpiLayout::Rescale(HWND window, UINT dpi)
{
    dpi_ = dpi;
    // The old fonts stay alive until every control has its new one.
    const FontCache oldFonts = std::exchange(fonts_, FontCache(dpi));
    for (ChildWindow& child : children_) {
        if (child.hwnd == nullptr) {
            continue;
        }
        ApplyFont(child);
        LoadPicture(child);
        Place(window, child);
    }
}

void DpiLayout::PlaceWindow(HWND window, HWND owner, const WindowFrame& frame,
                            const RECT* suggested) const noexcept
{
    const window::WindowLayout& layout = form_.Layout();
    RECT outer{0, 0, dpi::Pixels(layout.clientWidth, dpi_), dpi::Pixels(layout.clientHeight, dpi_)};
    dpi::AdjustWindowRect(outer, frame.style, frame.exStyle, dpi_);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    int x = 0;
    int y = 0;
    if (suggested != nullptr) {
        x = suggested->left;
        y = suggested->top;
    } else {
        RECT area{};
        if (owner != nullptr) {
            GetWindowRect(owner, &area);
        } else {
            MONITORINFO monitor{};
            monitor.cbSize = sizeof(monitor);
            GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
            area = monitor.rcWork;
        }
        x = area.left + (area.right - area.left - width) / 2;
        y = area.top + (area.bottom - area.top - height) / 2;
    }
    SetWindowPos(window, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void DpiLayout::Place(HWND window, ChildWindow& child)
{
    RECT twips = children_.TwipsRect(*child.control);
    const window::ControlLayout& layout = child.control->Layout();
    if (layout.Has(window::kSizesToText) && layout.Has(window::kRightAligned)) {
        // The anchor is the right edge of the layout's box, not of the last text's width: a new
        // caption must not walk the label across the window.
        twips.right = twips.left + layout.width;
    }
    child.rect = dpi::Pixels(twips, dpi_);
    if (layout.Has(window::kSizesToText)) {
        FitToText(window, child);
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
}

// A label that sizes to its text takes the size of its caption in its font; a right-aligned one
// keeps its right edge where the layout puts it.
void DpiLayout::FitToText(HWND window, ChildWindow& child)
{
    const std::wstring& text = child.control->Caption();
    SIZE size{0, 0};
    if (!text.empty()) {
        WindowDc dc(window);
        SelectedObject font(dc.get(), Font(*child.control));
        RECT measured{0, 0, 0, 0};
        DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &measured,
                  DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        size = SIZE{measured.right, measured.bottom};
    }
    if (child.control->Layout().Has(window::kRightAligned)) {
        child.rect.left = child.rect.right - size.cx;
    } else {
        child.rect.right = child.rect.left + size.cx;
    }
    child.rect.bottom = child.rect.top + size.cy;
    child.control->TakeSize(MulDiv(size.cx, 1440, static_cast<int>(dpi_)),
                            MulDiv(size.cy, 1440, static_cast<int>(dpi_)));
}

HFONT DpiLayout::Font(const window::Control& control)
{
    const window::ControlLayout& layout = control.Layout();
    const window::Font& spec =
        layout.font ? *layout.font : (form_.Layout().font ? *form_.Layout().font : kDialogFont);
    return fonts_.Get(spec, control.Underline());
}

void DpiLayout::ApplyFont(const ChildWindow& child)
{
    if (child.control->Layout().kind == ControlKind::Image) {
        return;
    }
    SendMessageW(child.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(Font(*child.control)), TRUE);
    // A list box that draws its own lines keeps the height it was first given, whatever its font.
    if (child.control->Layout().kind == ControlKind::ListBox) {
        SendMessageW(child.hwnd, LB_SETITEMHEIGHT, 0,
                     MAKELPARAM(ListItemHeight(child.hwnd, *child.control), 0));
    }
}

int DpiLayout::ListItemHeight(HWND window, const window::Control& control)
{
    WindowDc dc(window);
    SelectedObject font(dc.get(), Font(control));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.get(), &metrics);
    return metrics.tmHeight;
}

void DpiLayout::LoadPicture(ChildWindow& child) const
{
    const window::ControlLayout& layout = child.control->Layout();
    if (layout.kind != ControlKind::Image || layout.picture == 0) {
        return;
    }
    const int width = dpi::Pixels(child.control->Width(), dpi_);
    const int height = dpi::Pixels(child.control->Height(), dpi_);
    OwnedBitmap bitmap(static_cast<HBITMAP>(
        LoadImageW(instance_, MAKEINTRESOURCEW(layout.picture), IMAGE_BITMAP, width, height, 0)));
    SendMessageW(child.hwnd, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap.get()));
    child.bitmap = std::move(bitmap);
}

} // namespace platform::win32
