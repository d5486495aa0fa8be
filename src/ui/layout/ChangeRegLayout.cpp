// The entry editor, control by control in stored order. No fonts are stored: everything uses the
// default dialog font.
#include "Layouts.h"

#include <array>

namespace ui {
namespace {

using namespace platform::window;

constexpr std::array kControls{
    ControlLayout{.name = L"optHKEY",
                  .index = 1,
                  .kind = ControlKind::OptionButton,
                  .caption = L"CURRENT_USER",
                  .left = 1080,
                  .top = 420,
                  .width = 3735,
                  .height = 255,
                  .tabIndex = 9},
    ControlLayout{.name = L"optHKEY",
                  .index = 0,
                  .kind = ControlKind::OptionButton,
                  .caption = L"LOCAL_MACHINE",
                  .left = 1080,
                  .top = 120,
                  .width = 3735,
                  .height = 255,
                  .tabIndex = 8},
    ControlLayout{.name = L"ComCancel",
                  .kind = ControlKind::CommandButton,
                  .caption = L"Cancel",
                  .left = 8400,
                  .top = 1800,
                  .width = 1095,
                  .height = 375,
                  .tabIndex = 4,
                  .flags = kCancelButton},
    ControlLayout{.name = L"ComOK",
                  .kind = ControlKind::CommandButton,
                  .caption = L"Update",
                  .left = 7200,
                  .top = 1800,
                  .width = 1095,
                  .height = 375,
                  .tabIndex = 3},
    ControlLayout{.name = L"ComAddPath",
                  .kind = ControlKind::CommandButton,
                  .caption = L"Add file path...",
                  .left = 840,
                  .top = 1560,
                  .width = 2535,
                  .height = 375,
                  .tabIndex = 2},
    ControlLayout{.name = L"Tvalue",
                  .kind = ControlKind::TextBox,
                  .left = 720,
                  .top = 1170,
                  .width = 8895,
                  .height = 285,
                  .tabIndex = 1},
    ControlLayout{.name = L"Tname",
                  .kind = ControlKind::TextBox,
                  .left = 720,
                  .top = 840,
                  .width = 3855,
                  .height = 285,
                  .tabIndex = 0},
    ControlLayout{.name = L"lblNameInfo",
                  .kind = ControlKind::Label,
                  .caption = L"lblNameInfo",
                  .left = 4680,
                  .top = 870,
                  .width = 840,
                  .height = 195,
                  .tabIndex = 10,
                  .flags = kSizesToText},
    ControlLayout{.name = L"lblCtopkey",
                  .kind = ControlKind::Label,
                  .caption = L"TopKey:",
                  .left = 120,
                  .top = 150,
                  .width = 600,
                  .height = 195,
                  .tabIndex = 7,
                  .flags = kSizesToText},
    ControlLayout{.name = L"lblCvalue",
                  .kind = ControlKind::Label,
                  .caption = L"Value:",
                  .left = 120,
                  .top = 1200,
                  .width = 450,
                  .height = 195,
                  .tabIndex = 6,
                  .flags = kSizesToText},
    ControlLayout{.name = L"lblCname",
                  .kind = ControlKind::Label,
                  .caption = L"Name:",
                  .left = 120,
                  .top = 870,
                  .width = 465,
                  .height = 195,
                  .tabIndex = 5,
                  .flags = kSizesToText},
};

constexpr WindowLayout kChangeReg{
    .name = L"frmChangeReg",
    .caption = L"Change value",
    .clientWidth = 9735,
    .clientHeight = 2295,
    .showInTaskbar = false,
    .centreOnOwner = true,
    .controls = kControls,
};

} // namespace

const WindowLayout& ChangeRegLayout()
{
    return kChangeReg;
}

} // namespace ui
