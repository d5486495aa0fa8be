#pragma once

#include "platform/window/FormModel.h"
#include "platform/window/Layout.h"

#include <cstdint>

namespace ui {

// The entry editor's controls, in the order of its layout table.
enum class EntryEditorControl : std::uint8_t {
    CurrentUserOption,
    AllUsersOption,
    CancelButton,
    SaveButton,
    AddPathButton,
    ValueBox,
    NameBox,
    NameHintLabel,
    ScopeLabel,
    ValueLabel,
    NameLabel,
};

[[nodiscard]] const platform::window::WindowLayout& EntryEditorLayout();

// The entry editor's controls that its behaviour reads and writes.
struct EntryEditorControls {
    explicit EntryEditorControls(const platform::window::FormModel& form);

    platform::window::Control& scopeLabel;
    platform::window::Control& allUsersOption;
    platform::window::Control& currentUserOption;
    platform::window::Control& nameLabel;
    platform::window::Control& nameBox;
    platform::window::Control& nameHintLabel;
    platform::window::Control& valueLabel;
    platform::window::Control& valueBox;
    platform::window::Control& addPathButton;
    platform::window::Control& saveButton;
    platform::window::Control& cancelButton;
};

} // namespace ui
