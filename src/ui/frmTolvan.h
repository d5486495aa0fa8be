#pragma once

#include "frmChangeReg.h"
#include "platform/Platform.h"
#include "platform/window/WindowSystem.h"

#include <cstdint>
#include <memory>
#include <string_view>

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

    // What is lit under the mouse.
    enum HoverTarget : std::int16_t {
        kHoverNone = 0,
        kHoverEnglishFlag = 1,
        kHoverHungarianFlag = 2,
        kHoverHomePage = 3,
    };
    [[nodiscard]] std::int16_t HoverState() const noexcept { return hoverState; }

private:
    void BindMainWindowEvents();
    void recList_Click();
    void ShowScope();
    void ResetHover();
    void EnterHover(std::int16_t target);
    void Form_MouseMove();
    void tmrLang_Timer();
    void ChooseLanguage(std::int32_t language);
    void lblHomepage_Click();

    // Root code of the entry on show in the details panel; -1 until the first selection.
    std::int32_t shownTopKey = -1;
    std::int16_t hoverState = kHoverNone;
    platform::window::ScreenPoint cursorPos;

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
    // The list index last read by the selection handler or an entry command; -1 for none.
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
    platform::window::Control& lblVersion;
    platform::window::Control& lblHomepage;
    platform::window::Control& tmrLang;
};

} // namespace ui
