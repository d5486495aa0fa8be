#include "Control.h"

#include "FormModel.h"

namespace platform::window {

Control::Control(FormModel& form, const ControlLayout& layout) : form_(form), layout_(layout)
{
    Reset();
}

void Control::Reset()
{
    caption_ = std::wstring(layout_.caption);
    enabled_ = !layout_.Has(kDisabled);
    visible_ = !layout_.Has(kHidden);
    foreColour_ = layout_.foreColour.value_or(Colour::System(Colour::Kind::WindowText));
    const Colour defaultBack =
        layout_.kind == ControlKind::TextBox || layout_.kind == ControlKind::ListBox
            ? Colour::System(Colour::Kind::WindowBackground)
            : Colour::System(Colour::Kind::ButtonFace);
    backColour_ = layout_.backColour.value_or(defaultBack);
    underline_ = false;
    tooltip_.clear();
    left_ = layout_.left;
    top_ = layout_.top;
    width_ = layout_.width;
    height_ = layout_.height;
    items_.clear();
    listIndex_ = -1;
    value_ = false;
    timerEnabled_ = layout_.kind == ControlKind::Timer && !layout_.Has(kDisabled);
    interval_ = layout_.interval;
}

void Control::Changed(Property property)
{
    if (FormObserver* observer = form_.observer()) {
        observer->ControlChanged(*this, property);
    }
}

void Control::SetCaption(std::wstring_view text)
{
    caption_ = std::wstring(text);
    Changed(Property::Caption);
}

void Control::SetEnabled(bool enabled)
{
    enabled_ = enabled;
    Changed(Property::Enabled);
}

void Control::SetVisible(bool visible)
{
    visible_ = visible;
    Changed(Property::Visible);
}

void Control::SetForeColour(Colour colour)
{
    foreColour_ = colour;
    Changed(Property::ForeColour);
}

void Control::SetBackColour(Colour colour)
{
    backColour_ = colour;
    Changed(Property::BackColour);
}

void Control::SetUnderline(bool underline)
{
    underline_ = underline;
    Changed(Property::Underline);
}

void Control::SetTooltip(std::wstring_view text)
{
    tooltip_ = std::wstring(text);
    Changed(Property::Tooltip);
}

void Control::SetLeft(int twips)
{
    left_ = twips;
    Changed(Property::Position);
}

void Control::SetTop(int twips)
{
    top_ = twips;
    Changed(Property::Position);
}

void Control::TakeSize(int width, int height)
{
    width_ = width;
    height_ = height;
}

void Control::AddItem(std::wstring_view text)
{
    items_.emplace_back(text);
    Changed(Property::Items);
}

void Control::AddItems(std::vector<std::wstring> texts)
{
    if (items_.empty()) {
        items_ = std::move(texts);
    } else {
        items_.insert(items_.end(), std::make_move_iterator(texts.begin()),
                      std::make_move_iterator(texts.end()));
    }
    Changed(Property::Items);
}

void Control::ClearItems()
{
    items_.clear();
    listIndex_ = -1;
    Changed(Property::Items);
}

void Control::SetListIndex(int index)
{
    if (index < -1 || index >= static_cast<int>(items_.size())) {
        index = -1;
    }
    listIndex_ = index;
    Changed(Property::ListIndex);
    if (index >= 0) {
        RaiseClick();
    }
}

void Control::SetValue(bool value)
{
    value_ = value;
    if (value && layout_.kind == ControlKind::OptionButton) {
        for (const auto& other : form_.controls()) {
            if (other.get() != this && other->layout().kind == ControlKind::OptionButton &&
                other->layout().container == layout_.container && other->value_) {
                other->value_ = false;
                other->Changed(Property::Value);
            }
        }
    }
    Changed(Property::Value);
    if (value) {
        RaiseClick();
    }
}

void Control::SetTimerEnabled(bool enabled)
{
    timerEnabled_ = enabled;
    Changed(Property::Timer);
}

namespace {

template <typename Handler, typename... Args> void Raise(const Handler& handler, Args... args)
{
    if (handler) {
        handler(args...);
    }
}

} // namespace

void Control::RaiseClick()
{
    Raise(onClick);
}
void Control::RaiseDblClick()
{
    Raise(onDblClick);
}
void Control::RaiseKeyPress(int key)
{
    Raise(onKeyPress, key);
}
void Control::RaiseMouseMove()
{
    Raise(onMouseMove);
}
void Control::RaiseTimer()
{
    Raise(onTimer);
}

} // namespace platform::window
