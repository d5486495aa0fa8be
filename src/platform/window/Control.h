#pragma once

#include "Layout.h"
#include "ScreenGeometry.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platform::window {

class FormModel;

// A list box's selected index when nothing is selected.
inline constexpr std::ptrdiff_t kNoSelection = -1;

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
    Selection,
    Checked,
    Timer,
    ItemLook, // one item of a list box, named along with it
    TopIndex, // the first item a list box shows
};

// One control of a window: the state the behaviour reads and writes, and the events it raises.
// Setters tell the form's observer (the real window, when there is one) what changed; the
// `Take...` functions record what the user did in the real control without echoing it back.
class Control {
public:
    Control(FormModel& form, const ControlLayout& layout);
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    [[nodiscard]] const ControlLayout& Layout() const noexcept { return layout_; }
    [[nodiscard]] FormModel& Form() const noexcept { return form_; }

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

    // List box: items in the order added (no sorting) and the selected index, kNoSelection for
    // none.
    [[nodiscard]] const std::vector<std::wstring>& Items() const noexcept { return items_; }
    void AddItem(std::wstring_view text);
    void AddItems(std::vector<std::wstring> texts);
    void ClearItems();
    [[nodiscard]] std::ptrdiff_t SelectedIndex() const noexcept { return selectedIndex_; }
    // Selecting an item raises Click as the user's selection does; kNoSelection, or an index past
    // the end, selects nothing.
    void SetSelectedIndex(std::ptrdiff_t index);
    void TakeSelectedIndex(std::ptrdiff_t index) { selectedIndex_ = index; }
    // List box: the first item shown at the top, that is, how far it is scrolled. Read from the
    // real list when there is one (the user scrolls it), else the last value set; 0 at first and
    // again after ClearItems.
    [[nodiscard]] std::ptrdiff_t TopIndex() const;
    void SetTopIndex(std::ptrdiff_t index);
    // The value last set, for the observer to show.
    [[nodiscard]] std::ptrdiff_t RequestedTopIndex() const noexcept { return topIndex_; }
    // List box: whether an item is drawn dimmed, in the system's grey text colour, while it is not
    // selected. Items start undimmed; ClearItems forgets the marks.
    [[nodiscard]] bool ItemDimmed(std::size_t index) const noexcept; // false past the end
    // Ignored past the end; tells the observer only when the mark changes.
    void SetItemDimmed(std::size_t index, bool dimmed);
    // List box: whether an item carries a warning mark, drawn at the end of its line. The line's
    // text stays as it is. As for the dimmed look: none at first, forgotten by ClearItems.
    [[nodiscard]] bool ItemFlagged(std::size_t index) const noexcept;
    void SetItemFlagged(std::size_t index, bool flagged);

    // Option button: checking one clears the others of its container and raises Click.
    [[nodiscard]] bool Checked() const noexcept { return checked_; }
    void SetChecked(bool checked);
    void TakeChecked(bool checked) { checked_ = checked; }

    // Timer.
    [[nodiscard]] bool TimerEnabled() const noexcept { return timerEnabled_; }
    void SetTimerEnabled(bool enabled);
    [[nodiscard]] int Interval() const noexcept { return interval_; }

    // Events, raised by the window system (or a test) and handled by the form's behaviour.
    std::function<void()> onClick;
    std::function<void()> onDoubleClick;
    std::function<void()> onEnter; // the Enter key pressed while the control has the focus
    std::function<void()> onMouseMove;
    std::function<void()> onTimer;

    // A request for a context menu on a list box: by the right mouse button (with the item under
    // the pointer, kNoSelection when none) or by the keyboard (Shift+F10, the menu key). `at` is
    // where the menu goes, in screen pixels: the pointer, or for the keyboard the selected item
    // (the control's own top-left corner when nothing is selected).
    struct ContextMenuRequest {
        std::ptrdiff_t itemUnderPointer = kNoSelection;
        ScreenPoint at;
        bool byKeyboard = false;
    };
    std::function<void(const ContextMenuRequest&)> onContextMenu;
    std::function<void()> onDeleteKey; // the Delete key pressed while the control has the focus

    void RaiseClick();
    void RaiseDoubleClick();
    void RaiseEnter();
    void RaiseMouseMove();
    void RaiseTimer();
    void RaiseContextMenu(const ContextMenuRequest& request);
    void RaiseDeleteKey();

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
    static constexpr std::uint8_t kDimmedLook = 1;
    static constexpr std::uint8_t kFlaggedLook = 2;
    void SetItemLook(std::size_t index, std::uint8_t look, bool on);
    std::vector<std::uint8_t> looks_; // one set of marks per item
    std::ptrdiff_t selectedIndex_ = kNoSelection;
    std::ptrdiff_t topIndex_ = 0;
    bool checked_ = false;
    bool timerEnabled_ = false;
    int interval_ = 0;
};

} // namespace platform::window
