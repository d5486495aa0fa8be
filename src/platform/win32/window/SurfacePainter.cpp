#include "SurfacePainter.h"

#include "Dpi.h"

#include <windows.h>

namespace platform::win32 {
namespace {

using window::Colour;
using window::Control;
using window::ControlKind;

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

} // namespace

void SurfacePainter::PaintBackground(HWND window, HDC dc, UINT dpi)
{
    RECT client{};
    GetClientRect(window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    for (const ChildWindow& child : children_) {
        const Control& control = *child.control;
        if (control.Layout().kind != ControlKind::Shape || !control.Visible()) {
            continue;
        }
        const RECT pixels = dpi::Pixels(children_.TwipsRect(control), dpi);
        FillRect(dc, &pixels, Brush(Resolve(control.BackColour())));
    }
    for (const ChildWindow& child : children_) {
        const Control& control = *child.control;
        const window::ControlLayout& layout = control.Layout();
        if (layout.kind != ControlKind::Line || !control.Visible()) {
            continue;
        }
        const POINT origin = children_.TwipsOrigin(control);
        OwnedPen pen(CreatePen(
            PS_SOLID, 1,
            Resolve(layout.lineColour.value_or(Colour::System(Colour::Kind::WindowText)))));
        SelectedObject selected(dc, pen.get());
        MoveToEx(dc, dpi::Pixels(origin.x + layout.x1, dpi), dpi::Pixels(origin.y + layout.y1, dpi),
                 nullptr);
        LineTo(dc, dpi::Pixels(origin.x + layout.x2, dpi), dpi::Pixels(origin.y + layout.y2, dpi));
    }
}

HBRUSH SurfacePainter::ColourStatic(HDC dc, HWND control)
{
    const ChildWindow* child = children_.FindByWindow(control);
    if (child == nullptr) {
        return GetSysColorBrush(COLOR_BTNFACE);
    }
    const COLORREF back = Resolve(child->control->BackColour());
    SetTextColor(dc, Resolve(child->control->ForeColour()));
    SetBkColor(dc, back);
    return Brush(back);
}

HBRUSH SurfacePainter::Brush(COLORREF colour)
{
    auto it = brushes_.find(colour);
    if (it == brushes_.end()) {
        it = brushes_.emplace(colour, OwnedBrush(CreateSolidBrush(colour))).first;
    }
    return it->second.get();
}

} // namespace platform::win32
