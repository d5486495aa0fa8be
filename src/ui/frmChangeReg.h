#pragma once

#include "platform/Platform.h"
#include "platform/window/WindowSystem.h"

#include <array>
#include <cstdint>
#include <string>

namespace ui {

// The entry editor: a modal dialog in which an entry's name, command and scope are changed. Its
// only effect is on the registry; it unloads itself when the user saves or cancels.
class frmChangeReg {
public:
    frmChangeReg(platform::Platform& platform, platform::window::WindowSystem& windows);

    [[nodiscard]] platform::window::FormModel& form() noexcept { return form_; }

    // Shows the dialog over its owner; returns once it has closed.
    void ShowModal(platform::window::FormModel& owner);

    // Filled by the caller before the dialog is shown.
    bool newEntry = false;
    std::wstring dName;
    std::wstring dValue;
    std::int32_t dTopKey = 0;

private:
    void Form_Load();
    void optHKEY_Click(int index);
    void ComAddPath_Click();
    void ComOK_Click();
    void ComCancel_Click();

    // The folder "Add file path..." opens in: the command's folder, or the root of the drive
    // the tool runs from.
    [[nodiscard]] std::wstring StartingFolder() const;
    [[nodiscard]] std::wstring ToolDriveRoot() const;

    platform::Platform& platform_;
    platform::window::WindowSystem& windows_;
    platform::window::FormModel form_;

    std::wstring newName;
    std::wstring newValue;
    std::int32_t newTopKey = 0;

public:
    // The controls the behaviour works with, named as in the layout.
    std::array<platform::window::Control*, 2> optHKEY;
    platform::window::Control& lblCtopkey;
    platform::window::Control& lblCname;
    platform::window::Control& lblCvalue;
    platform::window::Control& lblNameInfo;
    platform::window::Control& Tname;
    platform::window::Control& Tvalue;
    platform::window::Control& ComAddPath;
    platform::window::Control& ComOK;
    platform::window::Control& ComCancel;
};

} // namespace ui
