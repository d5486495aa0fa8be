#pragma once

#include "frmChangeReg.h"
#include "platform/Platform.h"
#include "platform/window/WindowSystem.h"

#include <cstdint>
#include <memory>

namespace ui {

// The main window: the list of startup entries, the details of the selected one, the entry
// commands, the language flags and the about strip.
class frmTolvan {
public:
    frmTolvan(platform::Platform& platform, platform::window::WindowSystem& windows);

    [[nodiscard]] platform::window::FormModel& form() noexcept { return form_; }

    // Shows the window modeless, loading it first.
    void Show();

    // Sets langFlag and every caption of the window's text table in that language.
    void ApplyLanguage(std::int32_t language);

    // Rebuilds the entry table from the registry and the list from the table, selecting the same
    // position again (the last item when the list got shorter).
    void RefreshList();

private:
    void Form_Load();

    // The entry commands.
    void ComNew_Click();
    void ComEdit_Click();
    void recList_DblClick();
    void recList_KeyPress(int keyAscii);
    void ComDel_Click();
    void ComExit_Click();
    // The one editor instance, made on first use.
    frmChangeReg& Editor();

    platform::Platform& platform_;
    platform::window::WindowSystem& windows_;
    platform::window::FormModel form_;
    std::unique_ptr<frmChangeReg> editor_;

public:
    // The list position the entry commands act on; -1 for none.
    std::int16_t selIndex = -1;

    // The controls the behaviour works with, named as in the layout.
    platform::window::Control& recList;
    platform::window::Control& ComNew;
    platform::window::Control& ComEdit;
    platform::window::Control& ComDel;
    platform::window::Control& ComExit;
    platform::window::Control& frAbout;
    platform::window::Control& frLoc;
    platform::window::Control& frReg;
    platform::window::Control& lblCname;
    platform::window::Control& lblCvalue;
    platform::window::Control& lblProduct;
    platform::window::Control& lblDescr;
    platform::window::Control& lblCopyright;
    platform::window::Control& lblPath;
    platform::window::Control& lblRegName;
    platform::window::Control& lblRegValue;
    platform::window::Control& lblTopkey;
    platform::window::Control& lblTitle;
    platform::window::Control& imgLangENG;
    platform::window::Control& imgLangHUN;
    platform::window::Control& imgLangENG_hl;
    platform::window::Control& imgLangHUN_hl;
};

} // namespace ui
