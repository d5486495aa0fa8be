// The language flags and the home-page link: the highlight under the mouse, the timer that ends
// it, the language choice and the shell call.
#include "MainWindowFixture.h"
#include "app/Application.h"
#include "ui/layouts/HomePage.h"

namespace tolvan::test {
namespace {

using platform::window::Colour;
using ui::Language;
using State = ui::MainWindow::HoverTarget;
using Way = platform::portable::ScriptedShell::Way;

constexpr Colour kNormalLink = Colour::Fixed(0xE65C00);
constexpr Colour kLitLink = Colour::Fixed(0xFF7C24);

class MainWindowHover : public MainWindowFixture {
protected:
    // What the user sees of the hover state, checked against the state itself.
    void ExpectShowing(const ui::MainWindow& form, State state)
    {
        EXPECT_EQ(form.Hover(), state);
        EXPECT_EQ(c.englishFlagLit.Visible(), state == State::EnglishFlag);
        EXPECT_EQ(c.hungarianFlagLit.Visible(), state == State::HungarianFlag);
        EXPECT_EQ(c.homePageLink.Underline(), state == State::HomePage);
        EXPECT_EQ(c.homePageLink.ForeColour(), state == State::HomePage ? kLitLink : kNormalLink);
        EXPECT_EQ(c.hoverTimer.TimerEnabled(), state != State::None);
    }

    const ui::MainWindowControls& c = mainWindow.Controls();
};

TEST_F(MainWindowHover, EachTargetLightsUpAndTheBareSurfaceEndsIt)
{
    ui::MainWindow& form = Open(Language::Hungarian);
    ExpectShowing(form, State::None);

    c.englishFlag.RaiseMouseMove();
    ExpectShowing(form, State::EnglishFlag);
    c.englishFlag.RaiseMouseMove(); // still on it: nothing changes
    ExpectShowing(form, State::EnglishFlag);
    // Straight from one flag to the other.
    c.hungarianFlag.RaiseMouseMove();
    ExpectShowing(form, State::HungarianFlag);
    c.homePageLink.RaiseMouseMove();
    ExpectShowing(form, State::HomePage);
    form.Form().RaiseMouseMove();
    ExpectShowing(form, State::None);
    form.Form().RaiseMouseMove();
    ExpectShowing(form, State::None);
}

TEST_F(MainWindowHover, OtherControlsKeepTheHighlight)
{
    ui::MainWindow& form = Open(Language::Hungarian);
    c.hungarianFlag.RaiseMouseMove();
    for (auto* other : {&c.hungarianFlagLit, &c.titleLabel, &c.entryList, &c.newButton,
                        &c.descriptionFrame, &c.versionLabel}) {
        other->RaiseMouseMove();
    }
    ExpectShowing(form, State::HungarianFlag);
}

TEST_F(MainWindowHover, TimerEndsTheHighlightOnlyOnceTheCursorIsOutside)
{
    ui::MainWindow& form = Open(Language::Hungarian);
    windows.outerRect = {100, 200, 821, 629};
    struct Case {
        platform::window::ScreenPoint cursor;
        bool outside;
    };
    const Case cases[] = {
        {{100, 200}, false},                                          // left and top edge: inside
        {{820, 628}, false}, {{450, 400}, false}, {{821, 400}, true}, // right edge: outside
        {{450, 629}, true},                                           // bottom edge: outside
        {{99, 400}, true},   {{450, 199}, true},  {{-5, -5}, true},
    };
    for (const Case& check : cases) {
        SCOPED_TRACE(testing::Message() << check.cursor.x << "," << check.cursor.y);
        c.englishFlag.RaiseMouseMove();
        windows.cursorPos = check.cursor;
        c.hoverTimer.RaiseTimer();
        ExpectShowing(form, check.outside ? State::None : State::EnglishFlag);
        form.Form().RaiseMouseMove();
    }
}

TEST_F(MainWindowHover, TickWithNothingLitDoesNothing)
{
    Open(Language::Hungarian);
    windows.cursorPos = {-100, -100};
    c.homePageLink.SetUnderline(true); // only ResetHover would clear it
    c.hoverTimer.RaiseTimer();
    EXPECT_TRUE(c.homePageLink.Underline());
}

TEST_F(MainWindowHover, FlagClickStoresTheLanguageAndKeepsTheHighlight)
{
    ui::MainWindow& form = Open(Language::Hungarian);
    c.englishFlag.RaiseMouseMove();
    c.englishFlagLit.RaiseClick();
    EXPECT_EQ(StoredLanguageBytes(), Bytes({0x01, 0x00}));
    EXPECT_EQ(language.Current(), Language::English);
    EXPECT_EQ(form.Form().Caption(), L"Manage Windows startup programs");
    EXPECT_EQ(c.titleLabel.Caption(), L"Manage Windows startup programs");
    EXPECT_EQ(c.editButton.Caption(), L"Edit");
    ExpectShowing(form, State::EnglishFlag);

    // The same language again is stored and applied again.
    EXPECT_TRUE(registry.DeleteKeyTree(platform::reg::kCurrentUser, ui::kSettingsKeyPath));
    c.englishFlagLit.RaiseClick();
    EXPECT_EQ(StoredLanguageBytes(), Bytes({0x01, 0x00}));

    c.hungarianFlag.RaiseMouseMove();
    c.hungarianFlagLit.RaiseClick();
    EXPECT_EQ(StoredLanguageBytes(), Bytes({0x00, 0x00}));
    EXPECT_EQ(c.newButton.Caption(), L"Új");
    EXPECT_EQ(c.titleLabel.Caption(), L"Windows indulásakor induló programok");
    ExpectShowing(form, State::HungarianFlag);
}

TEST_F(MainWindowHover, FailedSaveStillSwitchesTheLanguage)
{
    Open(Language::Hungarian);
    registry.DenyAccess(platform::reg::kCurrentUser, ui::kSettingsKeyPath);
    c.englishFlagLit.RaiseClick();
    EXPECT_EQ(StoredLanguageBytes(), Bytes({}));
    EXPECT_EQ(c.deleteButton.Caption(), L"Delete");
}

TEST_F(MainWindowHover, NextStartComesUpInTheStoredLanguage)
{
    Open(Language::Hungarian);
    c.englishFlagLit.RaiseClick();
    c.closeButton.RaiseClick();

    platform::portable::HeadlessWindowSystem nextWindows;
    app::Application next(services, nextWindows);
    ASSERT_TRUE(next.Start());
    EXPECT_EQ(next.MainWindow()->Form().Caption(), L"Manage Windows startup programs");

    next.MainWindow()->Controls().hungarianFlagLit.RaiseClick();
    next.MainWindow()->Controls().closeButton.RaiseClick();
    platform::portable::HeadlessWindowSystem thirdWindows;
    app::Application third(services, thirdWindows);
    ASSERT_TRUE(third.Start());
    EXPECT_EQ(third.MainWindow()->Controls().closeButton.Caption(), L"Bezár");
}

TEST_F(MainWindowHover, HomePageClickOpensTheAddressWithoutTouchingTheHighlight)
{
    ui::MainWindow& form = Open(Language::English);
    c.homePageLink.RaiseMouseMove();
    c.homePageLink.RaiseClick();
    ASSERT_EQ(shell.openedAddresses.size(), 1u);
    const auto& opened = shell.openedAddresses[0];
    EXPECT_EQ(opened.owner, windows.Handle(form.Form()));
    EXPECT_NE(opened.owner, 0u);
    EXPECT_EQ(opened.address, ui::kHomePageAddress);
    EXPECT_EQ(opened.startFolder, L"C:\\");
    // The desktop's shell opens it, so the browser does not get the program's rights.
    EXPECT_EQ(opened.way, Way::Desktop);
    ExpectShowing(form, State::HomePage);

    // A shell that cannot open it changes nothing either, and is not asked again from the
    // program's own process; the label keeps its text in both languages.
    shell.opens = false;
    form.Form().RaiseMouseMove();
    c.homePageLink.RaiseClick();
    ASSERT_EQ(shell.openedAddresses.size(), 2u);
    EXPECT_EQ(shell.openedAddresses[1].way, Way::Desktop);
    ExpectShowing(form, State::None);
    form.ApplyLanguage(Language::Hungarian);
    EXPECT_EQ(c.homePageLink.Caption(), ui::kHomePageText);

    // Without a desktop shell the program's own shell opens it.
    shell.opens = true;
    shell.desktopShell = false;
    c.homePageLink.RaiseClick();
    ASSERT_EQ(shell.openedAddresses.size(), 3u);
    EXPECT_EQ(shell.openedAddresses[2].way, Way::ThisProcess);
    EXPECT_EQ(shell.openedAddresses[2].address, ui::kHomePageAddress);
    EXPECT_EQ(shell.openedAddresses[2].owner, windows.Handle(form.Form()));
}

} // namespace
} // namespace tolvan::test
