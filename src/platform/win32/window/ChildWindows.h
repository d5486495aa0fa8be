#pragma once

#include "GdiHandles.h"
#include "platform/window/FormModel.h"

#include <windows.h>

#include <vector>

namespace platform::win32 {

// One control of a form and what stands for it in the real window.
struct ChildWindow {
    window::Control* control = nullptr;
    HWND hwnd = nullptr; // none for timers, lines and shapes
    int id = 0;
    RECT rect{};        // in the form's client area, pixels
    OwnedBitmap bitmap; // the picture an image shows, made at the window's DPI
    bool hasTool = false;
};

// The child windows of one form, one record per control in the layout's order, and the timers,
// which Windows keeps on the form's window.
class ChildWindows {
public:
    explicit ChildWindows(window::FormModel& form);

    // Makes the windows in their stacking order and starts the timers that run. Throws
    // std::system_error naming the control when Windows refuses a window.
    void Create(HWND parent, HINSTANCE instance);
    void StopTimers(HWND parent) noexcept;
    static void SyncTimer(HWND parent, const ChildWindow& child) noexcept;
    // Adds the list box's new items, or fills it afresh when the model's list got shorter.
    static void SyncItems(const ChildWindow& child);

    [[nodiscard]] const ChildWindow* FindById(int id) const noexcept;
    [[nodiscard]] const ChildWindow* FindByWindow(HWND window) const noexcept;
    [[nodiscard]] ChildWindow* FindByControl(const window::Control& control) noexcept;
    [[nodiscard]] const ChildWindow* FindByControl(const window::Control& control) const noexcept;
    // The front-most visible label, picture or frame under the point, in stored order; none over
    // the bare surface (the decorative shape and lines take no mouse input).
    [[nodiscard]] const ChildWindow* HitTest(POINT point) const noexcept;

    // The control's box in twips of the form's client area: a frame carries what sits in it.
    [[nodiscard]] POINT TwipsOrigin(const window::Control& control) const noexcept;
    [[nodiscard]] RECT TwipsRect(const window::Control& control) const noexcept;

    [[nodiscard]] auto begin() noexcept { return children_.begin(); }
    [[nodiscard]] auto end() noexcept { return children_.end(); }
    [[nodiscard]] auto begin() const noexcept { return children_.cbegin(); }
    [[nodiscard]] auto end() const noexcept { return children_.cend(); }

private:
    void CreateOne(ChildWindow& child, HWND parent, HINSTANCE instance) const;

    const window::WindowLayout& layout_;
    std::vector<ChildWindow> children_;
};

} // namespace platform::win32
