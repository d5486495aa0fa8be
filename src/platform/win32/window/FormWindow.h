#pragma once

#include "ChildWindows.h"
#include "DpiLayout.h"
#include "EventRouter.h"
#include "GdiHandles.h"
#include "ListItemPainter.h"
#include "SurfacePainter.h"
#include "Tooltips.h"
#include "platform/window/FormModel.h"

#include <windows.h>

#include <cstddef>
#include <optional>

namespace platform::win32 {

class Win32WindowSystem;

// The real window of one form: made from the form's layout, kept in step with its model, and
// turning window messages into the model's events. It coordinates the parts that do each job.
class FormWindow final : public window::FormObserver {
public:
    // Throws std::system_error, naming the form, when Windows will not make its windows.
    FormWindow(Win32WindowSystem& system, window::FormModel& form, HWND owner);
    ~FormWindow() override;
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    [[nodiscard]] HWND Window() const noexcept { return window_; }
    [[nodiscard]] HWND Owner() const noexcept { return owner_; }
    [[nodiscard]] window::FormModel& Form() const noexcept { return form_; }

    void Show() noexcept;
    // Destroys the window; the model stays, without an observer.
    void Destroy() noexcept;

    void ControlChanged(window::Control& control, window::Property property) override;
    void ItemChanged(window::Control& control, window::Property property,
                     std::size_t index) override;
    void CaptionChanged(window::FormModel& form) override;
    [[nodiscard]] std::optional<std::ptrdiff_t>
    ShownTopIndex(const window::Control& control) const override;

    // A key message for one of this form's windows, seen by the message loop before the dialog
    // manager: true when the form handled it and it must not be dispatched. A failure in the
    // handler goes to the window system, as from the window procedure.
    [[nodiscard]] bool TakeKey(const MSG& message) noexcept;

    // Throws std::system_error when Windows refuses the class (not when it is already there).
    static void RegisterWindowClass(HINSTANCE instance);

private:
    // Hands any failure to the window system: nothing may unwind through Windows.
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void CreateWindows();
    void LoadIcons(HINSTANCE instance);
    void ApplyDpi(UINT dpi, const RECT* suggested);
    void PlaceChild(ChildWindow& child);
    void MeasureItem(MEASUREITEMSTRUCT& item);

    Win32WindowSystem& system_;
    window::FormModel& form_;
    HWND owner_;
    WindowFrame frame_;
    HWND window_ = nullptr;
    ChildWindows children_;
    DpiLayout dpiLayout_;
    SurfacePainter painter_;
    ListItemPainter listPainter_;
    Tooltips tooltips_;
    EventRouter events_;
    OwnedIcon bigIcon_;
    OwnedIcon smallIcon_;
};

} // namespace platform::win32
