#pragma once

#include "GdiHandles.h"
#include "platform/window/FormModel.h"

#include <windows.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace platform::win32 {

class Win32WindowSystem;

// The real window of one form: made from the form's layout, kept in step with its model, and
// turning window messages into the model's events.
class FormWindow final : public window::FormObserver {
public:
    FormWindow(Win32WindowSystem& system, window::FormModel& form, HWND owner);
    ~FormWindow() override;
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    [[nodiscard]] HWND hwnd() const noexcept { return window_; }
    [[nodiscard]] HWND owner() const noexcept { return owner_; }
    [[nodiscard]] window::FormModel& form() const noexcept { return form_; }

    void Show() noexcept;
    // Destroys the window; the model stays, without an observer.
    void Destroy() noexcept;

    void ControlChanged(window::Control& control, window::Property property) override;
    void CaptionChanged(window::FormModel& form) override;

    static void RegisterClass(HINSTANCE instance) noexcept;

private:
    struct Child {
        window::Control* control = nullptr;
        HWND hwnd = nullptr;
        int id = 0;
        RECT rect{}; // in the form's client area, pixels
        OwnedBitmap bitmap;
        bool hasTool = false;
    };
    using FontKey = std::tuple<std::wstring, int, bool, int, bool>;

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept;
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    void CreateChildren();
    void CreateChild(Child& child);
    void ApplyDpi(UINT dpi, const RECT* suggested);
    void PlaceWindow(const RECT* suggested);
    void PlaceChild(Child& child);
    void FitToText(Child& child);
    void LoadPicture(Child& child);
    void ApplyFont(Child& child);
    void UpdateTooltip(Child& child);
    void SyncItems(Child& child);
    void SyncTimer(Child& child);
    void PaintBackground(HDC dc);
    void OnCommand(int id, int code, HWND control);
    void OnMouse(UINT message, POINT point);
    LRESULT OnColourStatic(HDC dc, HWND control);

    [[nodiscard]] RECT TwipsRect(const window::Control& control) const;
    [[nodiscard]] POINT TwipsOrigin(const window::Control& control) const;
    [[nodiscard]] HFONT Font(const window::Control& control);
    [[nodiscard]] HBRUSH Brush(COLORREF colour);
    [[nodiscard]] Child* FindById(int id);
    [[nodiscard]] Child* FindByWindow(HWND window);
    [[nodiscard]] Child* FindByControl(const window::Control& control);
    [[nodiscard]] Child* HitTest(POINT point);

    Win32WindowSystem& system_;
    window::FormModel& form_;
    HWND owner_;
    HWND window_ = nullptr;
    HWND tooltip_ = nullptr;
    UINT dpi_ = 96;
    DWORD style_ = 0;
    DWORD exStyle_ = 0;
    std::vector<Child> children_;
    std::map<FontKey, OwnedFont> fonts_;
    std::map<COLORREF, OwnedBrush> brushes_;
    OwnedIcon bigIcon_;
    OwnedIcon smallIcon_;
    int pressedId_ = 0;        // the control a left click started on
    HWND lastFocus_ = nullptr; // the control that had the focus when the window was deactivated
};

} // namespace platform::win32
