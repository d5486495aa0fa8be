// The entry editor, control by control in stored order. No fonts are stored: everything uses the
// default dialog font.
#include "EntryEditorLayout.h"

#include <array>

namespace ui {
namespace {

using namespace platform::window;

constexpr std::array kControls{
    ControlLayout{.id = Id(EntryEditorControl::CurrentUserOption),
                  .name = L"currentUserOption",
                  .kind = ControlKind::OptionButton,
                  .caption = L"CURRENT_USER",
                  .left = 1080,
                  .top = 420,
                  .width = 3735,
                  .height = 255,
                  .tabIndex = 9},
    ControlLayout{.id = Id(EntryEditorControl::AllUsersOption),
                  .name = L"allUsersOption",
                  .kind = ControlKind::OptionButton,
                  .caption = L"LOCAL_MACHINE",
                  .left = 1080,
                  .top = 120,
                  .width = 3735,
                  .height = 255,
                  .tabIndex = 8},
    ControlLayout{.id = Id(EntryEditorControl::CancelButton),
                  .name = L"cancelButton",
                  .kind = ControlKind::CommandButton,
                  .caption = L"Cancel",
                  .left = 8400,
                  .top = 1800,
                  .width = 1095,
                  .height = 375,
                  .tabIndex = 4,
                  .flags = kCancelButton},
    ControlLayout{.id = Id(EntryEditorControl::SaveButton),
                  .name = L"saveButton",
                  .kind = ControlKind::CommandButton,
                  .caption = L"Update",
                  .left = 7200,
                  .top = 1800,
                  .width = 1095,
                  .height = 375,
                  .tabIndex = 3},
    ControlLayout{.id = Id(EntryEditorControl::AddPathButton),
                  .name = L"addPathButton",
                  .kind = ControlKind::CommandButton,
                  .caption = L"Add file path...",
                  .left = 840,
                  .top = 1560,
                  .width = 2535,
                  .height = 375,
                  .tabIndex = 2},
    ControlLayout{.id = Id(EntryEditorControl::ValueBox),
                  .name = L"valueBox",
                  .kind = ControlKind::TextBox,
                  .left = 720,
                  .top = 1170,
                  .width = 8895,
                  .height = 285,
                  .tabIndex = 1},
    ControlLayout{.id = Id(EntryEditorControl::NameBox),
                  .name = L"nameBox",
                  .kind = ControlKind::TextBox,
                  .left = 720,
                  .top = 840,
                  .width = 3855,
                  .height = 285,
                  .tabIndex = 0},
    ControlLayout{.id = Id(EntryEditorControl::NameHintLabel),
                  .name = L"nameHintLabel",
                  .kind = ControlKind::Label,
                  .caption = L"lblNameInfo",
                  .left = 4680,
                  .top = 870,
                  .width = 840,
                  .height = 195,
                  .tabIndex = 10,
                  .flags = kSizesToText},
    ControlLayout{.id = Id(EntryEditorControl::ScopeLabel),
                  .name = L"scopeLabel",
                  .kind = ControlKind::Label,
                  .caption = L"TopKey:",
                  .left = 120,
                  .top = 150,
                  .width = 600,
                  .height = 195,
                  .tabIndex = 7,
                  .flags = kSizesToText},
    ControlLayout{.id = Id(EntryEditorControl::ValueLabel),
                  .name = L"valueLabel",
                  .kind = ControlKind::Label,
                  .caption = L"Value:",
                  .left = 120,
                  .top = 1200,
                  .width = 450,
                  .height = 195,
                  .tabIndex = 6,
                  .flags = kSizesToText},
    ControlLayout{.id = Id(EntryEditorControl::NameLabel),
                  .name = L"nameLabel",
                  .kind = ControlKind::Label,
                  .caption = L"Name:",
                  .left = 120,
                  .top = 870,
                  .width = 465,
                  .height = 195,
                  .tabIndex = 5,
                  .flags = kSizesToText},
};

static_assert(IdsFollowTableOrder(kControls));
static_assert(kControls.size() == Id(EntryEditorControl::NameLabel) + 1);

constexpr WindowLayout kEntryEditor{
    .name = L"entryEditor",
    .caption = L"Change value",
    .clientWidth = 9735,
    .clientHeight = 2295,
    .showInTaskbar = false,
    .centreOnOwner = true,
    .controls = kControls,
};

} // namespace

const WindowLayout& EntryEditorLayout()
{
    return kEntryEditor;
}

} // namespace ui
