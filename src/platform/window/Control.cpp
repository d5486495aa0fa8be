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
    looks_.clear();
    selectedIndex_ = kNoSelection;
    topIndex_ = 0;
    checked_ = false;
    timerEnabled_ = layout_.kind == ControlKind::Timer && !layout_.Has(kDisabled);
    interval_ = layout_.interval;
}

void Control::Changed(Property property)
{
    if (FormObserver* observer = form_.Observer()) {
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
    looks_.push_back(0);
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
    looks_.resize(items_.size(), 0);
    Changed(Property::Items);
}

void Control::ClearItems()
{
    items_.clear();
    looks_.clear();
    selectedIndex_ = kNoSelection;
    topIndex_ = 0;
    Changed(Property::Items);
}

void Control::SetSelectedIndex(std::ptrdiff_t index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= items_.size()) {
        index = kNoSelection;
    }
    selectedIndex_ = index;
    Changed(Property::Selection);
    if (index != kNoSelection) {
        RaiseClick();
    }
}

std::ptrdiff_t Control::TopIndex() const
{
    if (const FormObserver* observer = form_.Observer()) {
        if (const std::optional<std::ptrdiff_t> shown = observer->ShownTopIndex(*this)) {
            return *shown;
        }
    }
    return topIndex_;
}

void Control::SetTopIndex(std::ptrdiff_t index)
{
    topIndex_ = index;
    Changed(Property::TopIndex);
}

bool Control::ItemDimmed(std::size_t index) const noexcept
{
    return index < looks_.size() && (looks_[index] & kDimmedLook) != 0;
}

void Control::SetItemDimmed(std::size_t index, bool dimmed)
{
    SetItemLook(index, kDimmedLook, dimmed);
}

bool Control::ItemFlagged(std::size_t index) const noexcept
{
    return index < looks_.size() && (looks_[index] & kFlaggedLook) != 0;
}

void Control::SetItemFlagged(std::size_t index, bool flagged)
{
    SetItemLook(index, kFlaggedLook, flagged);
}

void Control::SetItemLook(std::size_t index, std::uint8_t look, bool on)
{
    if (index >= looks_.size() || ((looks_[index] & look) != 0) == on) {
        return;
    }
    looks_[index] = static_cast<std::uint8_t>(on ? looks_[index] | look : looks_[index] & ~look);
    if (FormObserver* observer = form_.Observer()) {
        observer->ItemChanged(*this, Property::ItemLook, index);
    }
}

void Control::SetChecked(bool checked)
{
    checked_ = checked;
    if (checked && layout_.kind == ControlKind::OptionButton) {
        for (const auto& other : form_.Controls()) {
            if (other.get() != this && other->Layout().kind == ControlKind::OptionButton &&
                other->Layout().container == layout_.container && other->checked_) {
                other->checked_ = false;
                other->Changed(Property::Checked);
            }
        }
    }
    Changed(Property::Checked);
    if (checked) {
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
void Control::RaiseDoubleClick()
{
    Raise(onDoubleClick);
}
void Control::RaiseEnter()
{
    Raise(onEnter);
}
void Control::RaiseMouseMove()
{
    Raise(onMouseMove);
}
void Control::RaiseTimer()
{
    Raise(onTimer);
}
void Control::RaiseContextMenu(const ContextMenuRequest& request)
{
    if (onContextMenu) {
        onContextMenu(request);
    }
}
void Control::RaiseDeleteKey()
{
    Raise(onDeleteKey);
}

} // namespace platform::window
