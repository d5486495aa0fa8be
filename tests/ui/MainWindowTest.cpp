// The main window on the headless window system: what its load leaves on screen.
#include "ui/MainWindow.h"

#include "platform/portable/CaseFoldCollation.h"
#include "platform/portable/DriveMapFileSearch.h"
#include "platform/portable/HeadlessWindowSystem.h"
#include "platform/portable/MemoryRegistry.h"
#include "platform/portable/PeVersionResources.h"
#include "platform/portable/ScriptedFileDialogs.h"
#include "platform/portable/ScriptedMessageBox.h"
#include "platform/portable/ScriptedShell.h"
#include "startup/modTolvan.h"
#include "support/ScriptedPlatform.h"

#include <gtest/gtest.h>

namespace tolvan::test {
namespace {

using namespace platform;

class MainWindowLoad : public ::testing::Test, protected ScriptedPlatform {
protected:
    void TearDown() override { modTolvan::langFlag = 0; }

    ui::frmTolvan& Open(std::int32_t language)
    {
        modTolvan::langFlag = language;
        mainWindow.ShowMainWindow();
        return *mainWindow.instance();
    }

    portable::HeadlessWindowSystem windows;
    ui::MainWindow mainWindow{services, windows};
};

TEST_F(MainWindowLoad, ClearsThePlaceholdersAndLaysTheHighlightsOverTheFlags)
{
    ui::frmTolvan& form = Open(0);
    EXPECT_TRUE(windows.IsShown(form.form()));
    for (const auto* label : {&form.lblProduct, &form.lblDescr, &form.lblCopyright, &form.lblPath,
                              &form.lblRegName, &form.lblRegValue, &form.lblTopkey}) {
        EXPECT_EQ(label->Caption(), L"")
            << std::string(label->layout().name.begin(), label->layout().name.end());
    }
    EXPECT_EQ(form.imgLangENG_hl.Left(), form.imgLangENG.Left());
    EXPECT_EQ(form.imgLangENG_hl.Top(), form.imgLangENG.Top());
    EXPECT_EQ(form.imgLangHUN_hl.Left(), form.imgLangHUN.Left());
    EXPECT_EQ(form.imgLangHUN_hl.Top(), form.imgLangHUN.Top());
    EXPECT_FALSE(form.imgLangENG_hl.Visible());
    EXPECT_FALSE(form.ComEdit.Enabled());
}

TEST_F(MainWindowLoad, SpeaksTheLanguageOfTheFlagAndTitlesItselfWithTheCaption)
{
    ui::frmTolvan& hungarian = Open(0);
    EXPECT_EQ(hungarian.form().Caption(), L"Windows indulásakor induló programok");
    EXPECT_EQ(hungarian.ComDel.Caption(), L"Töröl");
    EXPECT_EQ(hungarian.frLoc.Caption(), L"EXE fájl helye");
    EXPECT_EQ(hungarian.lblTitle.Caption(), hungarian.form().Caption());

    hungarian.ApplyLanguage(1);
    EXPECT_EQ(modTolvan::langFlag, 1);
    EXPECT_EQ(hungarian.form().Caption(), L"Manage Windows startup programs");
    EXPECT_EQ(hungarian.frReg.Caption(), L"Registry values");
    EXPECT_EQ(hungarian.lblCvalue.Caption(), L"Value:");
    EXPECT_EQ(hungarian.ComExit.Caption(), L"Close");
    EXPECT_EQ(hungarian.lblTitle.Caption(), L"Manage Windows startup programs");
}

TEST_F(MainWindowLoad, NewOpensTheEditorModallyAndCloseEndsTheWindow)
{
    ui::frmTolvan& form = Open(1);
    int editorShowings = 0;
    windows.modalScript = [&](window::FormModel& editor, window::FormModel& owner) {
        ++editorShowings;
        EXPECT_EQ(&owner, &form.form());
        editor.control(L"ComCancel").RaiseClick();
    };
    form.ComNew.RaiseClick();
    EXPECT_EQ(editorShowings, 1);
    form.ComExit.RaiseClick();
    EXPECT_FALSE(form.form().Loaded());
    EXPECT_FALSE(windows.IsShown(form.form()));
}

} // namespace
} // namespace tolvan::test
