#pragma once

#include "Control.h"
#include "Layout.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::window {

// Told of every change to a form's model; the real window implements it.
class FormObserver {
public:
    virtual ~FormObserver() = default;
    virtual void ControlChanged(Control& control, Property property) = 0;
    // One item of a list box changed. An observer that cannot follow a single item takes it as a
    // change of the whole control.
    virtual void ItemChanged(Control& control, Property property, std::size_t /*index*/)
    {
        ControlChanged(control, property);
    }
    virtual void CaptionChanged(FormModel& form) = 0;
    // The first item the list box's real window shows, which the user may have scrolled; none
    // when there is no such window to ask.
    [[nodiscard]] virtual std::optional<std::ptrdiff_t>
    ShownTopIndex(const Control& /*control*/) const
    {
        return std::nullopt;
    }
};

// A window as the behaviour sees it: its layout, one Control per control of the layout, its
// caption and its own events. Which real window (if any) shows it is the window system's matter.
class FormModel {
public:
    explicit FormModel(const WindowLayout& layout);
    FormModel(const FormModel&) = delete;
    FormModel& operator=(const FormModel&) = delete;

    [[nodiscard]] const WindowLayout& Layout() const noexcept { return layout_; }

    // The control with this id (its place in the layout's table). A window's own enumeration of
    // its controls names the ids, so that no control is ever looked up by a text.
    [[nodiscard]] Control& ControlAt(std::size_t id) const { return *controls_.at(id); }
    [[nodiscard]] const std::vector<std::unique_ptr<Control>>& Controls() const noexcept
    {
        return controls_;
    }

    [[nodiscard]] const std::wstring& Caption() const noexcept { return caption_; }
    void SetCaption(std::wstring_view caption);

    // True from Load until Unload.
    [[nodiscard]] bool Loaded() const noexcept { return loaded_; }

    std::function<void()> onLoad;
    std::function<void()> onUnload;
    std::function<void()> onMouseMove; // over the bare window surface
    std::function<void()> onRefillKey; // F5 pressed anywhere in the window
    std::function<void()> onSaveKey;   // Ctrl+S pressed anywhere in the window

    // Called by the window system as the window comes and goes.
    void RaiseLoad();
    void RaiseUnload();
    void RaiseMouseMove();
    void RaiseRefillKey();
    void RaiseSaveKey();

    void SetObserver(FormObserver* observer) noexcept { observer_ = observer; }
    [[nodiscard]] FormObserver* Observer() const noexcept { return observer_; }

    // Puts every control and the caption back as the layout has them (a window is loaded afresh).
    void ResetToLayout();

private:
    const WindowLayout& layout_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::wstring caption_;
    bool loaded_ = false;
    FormObserver* observer_ = nullptr;
};

} // namespace platform::window
