// The main window on the headless window system: what its load leaves on screen.
#include "HeadlessUi.h"
#include "ui/layouts/EntryEditorLayout.h"

namespace tolvan::test {
namespace {

using namespace platform;
using ui::Language;

class MainWindowLoad : public HeadlessUi {};

TEST_F(MainWindowLoad, ClearsThePlaceholdersAndLaysTheHighlightsOverTheFlags)
{
    const ui::MainWindowControls& c = Open(Language::Hungarian).Controls();
    EXPECT_TRUE(windows.IsShown(mainWindow.Form()));
    for (const auto* label : {&c.productLabel, &c.descriptionLabel, &c.makerLabel,
                              &c.programPathField, &c.nameField, &c.valueField, &c.scopeLabel}) {
        EXPECT_EQ(label->Caption(), L"") << ToUtf8(label->Layout().name);
    }
    EXPECT_EQ(c.englishFlagLit.Left(), c.englishFlag.Left());
    EXPECT_EQ(c.englishFlagLit.Top(), c.englishFlag.Top());
    EXPECT_EQ(c.hungarianFlagLit.Left(), c.hungarianFlag.Left());
    EXPECT_EQ(c.hungarianFlagLit.Top(), c.hungarianFlag.Top());
    EXPECT_FALSE(c.englishFlagLit.Visible());
    EXPECT_FALSE(c.editButton.Enabled());
}

TEST_F(MainWindowLoad, SpeaksTheLanguageOfTheFlagAndTitlesItselfWithTheCaption)
{
    ui::MainWindow& window = Open(Language::Hungarian);
    const ui::MainWindowControls& c = window.Controls();
    EXPECT_EQ(window.Form().Caption(), L"Windows indulásakor induló programok");
    EXPECT_EQ(c.deleteButton.Caption(), L"Töröl");
    EXPECT_EQ(c.locationFrame.Caption(), L"EXE fájl helye");
    EXPECT_EQ(c.titleLabel.Caption(), window.Form().Caption());

    window.ApplyLanguage(Language::English);
    EXPECT_EQ(language.Current(), Language::English);
    EXPECT_EQ(window.Form().Caption(), L"Manage Windows startup programs");
    EXPECT_EQ(c.registryFrame.Caption(), L"Registry values");
    EXPECT_EQ(c.valueLabel.Caption(), L"Value:");
    EXPECT_EQ(c.closeButton.Caption(), L"Close");
    EXPECT_EQ(c.titleLabel.Caption(), L"Manage Windows startup programs");
}

TEST_F(MainWindowLoad, NewOpensTheEditorModallyAndCloseEndsTheWindow)
{
    ui::MainWindow& window = Open();
    int editorShowings = 0;
    windows.modalScript = [&](window::FormModel& editor, window::FormModel& owner) {
        ++editorShowings;
        EXPECT_EQ(&owner, &window.Form());
        ui::EntryEditorControls(editor).cancelButton.RaiseClick();
    };
    window.Controls().newButton.RaiseClick();
    EXPECT_EQ(editorShowings, 1);
    window.Controls().closeButton.RaiseClick();
    EXPECT_FALSE(window.Form().Loaded());
    EXPECT_FALSE(windows.IsShown(window.Form()));
}

} // namespace
} // namespace tolvan::test
