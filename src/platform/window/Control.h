#pragma once

#include "Layout.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform::window {

class FormModel;

// What changed on a control, so that a real window can follow the model.
enum class Property : std::uint8_t {
    Caption,
    Enabled,
    Visible,
    ForeColour,
    BackColour,
    Underline,
    Tooltip,
    Position,
    Size,
    Items,
    ListIndex,
    Value,
    Timer,
};

// One control of a window: the state the behaviour reads and writes, and the events it raises.
// Setters tell the form's observer (the real window, when there is one) what changed; the
// `Take...` functions record what the user did in the real control without echoing it back.
class Control {
public:
    Control(FormModel& form, const ControlLayout& layout);
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    [[nodiscard]] const ControlLayout& layout() const noexcept { return layout_; }
    [[nodiscard]] FormModel& form() const noexcept { return form_; }

    // Caption of a label, button or frame; text of a text box.
    [[nodiscard]] const std::wstring& Caption() const noexcept { return caption_; }
    void SetCaption(std::wstring_view text);
    void TakeText(std::wstring text) { caption_ = std::move(text); }

    [[nodiscard]] bool Enabled() const noexcept { return enabled_; }
    void SetEnabled(bool enabled);
    [[nodiscard]] bool Visible() const noexcept { return visible_; }
    void SetVisible(bool visible);

    [[nodiscard]] const Colour& ForeColour() const noexcept { return foreColour_; }
    void SetForeColour(Colour colour);
    [[nodiscard]] const Colour& BackColour() const noexcept { return backColour_; }
    void SetBackColour(Colour colour);
    [[nodiscard]] bool Underline() const noexcept { return underline_; }
    void SetUnderline(bool underline);
    [[nodiscard]] const std::wstring& Tooltip() const noexcept { return tooltip_; }
    void SetTooltip(std::wstring_view text);

    // Position and size in twips, relative to the container.
    [[nodiscard]] int Left() const noexcept { return left_; }
    [[nodiscard]] int Top() const noexcept { return top_; }
    [[nodiscard]] int Width() const noexcept { return width_; }
    [[nodiscard]] int Height() const noexcept { return height_; }
    void SetLeft(int twips);
    void SetTop(int twips);
    // The size a label took to fit its text, as the window measured it.
    void TakeSize(int width, int height);

    // List box: items in the order added (no sorting) and the selected index, -1 for none.
    [[nodiscard]] const std::vector<std::wstring>& Items() const noexcept { return items_; }
    void AddItem(std::wstring_view text);
    void AddItems(std::vector<std::wstring> texts);
    void ClearItems();
    [[nodiscard]] int ListIndex() const noexcept { return listIndex_; }
    // Selecting an item (0 or more) raises Click as the user's selection does; -1 selects nothing.
    void SetListIndex(int index);
    void TakeListIndex(int index) { listIndex_ = index; }

    // Option button: choosing one clears the others of the window and raises Click.
    [[nodiscard]] bool Value() const noexcept { return value_; }
    void SetValue(bool value);
    void TakeValue(bool value) { value_ = value; }

    // Timer.
    [[nodiscard]] bool TimerEnabled() const noexcept { return timerEnabled_; }
    void SetTimerEnabled(bool enabled);
    [[nodiscard]] int Interval() const noexcept { return interval_; }

    // Events, raised by the window system (or a test) and handled by the form's behaviour.
    std::function<void()> onClick;
    std::function<void()> onDblClick;
    std::function<void(int)> onKeyPress;
    std::function<void()> onMouseMove;
    std::function<void()> onTimer;

    void RaiseClick();
    void RaiseDblClick();
    void RaiseKeyPress(int key);
    void RaiseMouseMove();
    void RaiseTimer();

    // Back to the state the layout gives it.
    void Reset();

private:
    void Changed(Property property);

    FormModel& form_;
    const ControlLayout& layout_;
    std::wstring caption_;
    bool enabled_ = true;
    bool visible_ = true;
    Colour foreColour_ = Colour::System(Colour::Kind::WindowText);
    Colour backColour_ = Colour::System(Colour::Kind::ButtonFace);
    bool underline_ = false;
    std::wstring tooltip_;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    std::vector<std::wstring> items_;
    int listIndex_ = -1;
    bool value_ = false;
    bool timerEnabled_ = false;
    int interval_ = 0;
};

} // namespace platform::window
