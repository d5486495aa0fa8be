// The language flags and the home-page link: the highlight under the mouse, the timer that ends
// it, the language choice and the shell call.
#include "MainWindowFixture.h"

namespace tolvan::test {
namespace {

using platform::window::Colour;
using State = ui::frmTolvan::HoverTarget;

constexpr Colour kNormalLink = Colour::Fixed(0xE65C00);
constexpr Colour kLitLink = Colour::Fixed(0xFF7C24);

class MainWindowHover : public MainWindowFixture {
protected:
    // What the user sees of the hover state, checked against the state itself.
    static void ExpectShowing(ui::frmTolvan& form, std::int16_t state)
    {
        EXPECT_EQ(form.HoverState(), state);
        EXPECT_EQ(form.imgLangENG_hl.Visible(), state == State::kHoverEnglishFlag);
        EXPECT_EQ(form.imgLangHUN_hl.Visible(), state == State::kHoverHungarianFlag);
        EXPECT_EQ(form.lblHomepage.Underline(), state == State::kHoverHomePage);
        EXPECT_EQ(form.lblHomepage.ForeColour(),
                  state == State::kHoverHomePage ? kLitLink : kNormalLink);
        EXPECT_EQ(form.tmrLang.TimerEnabled(), state != State::kHoverNone);
    }
};

TEST_F(MainWindowHover, EachTargetLightsUpAndTheBareSurfaceEndsIt)
{
    ui::frmTolvan& form = Open(0);
    ExpectShowing(form, State::kHoverNone);

    form.imgLangENG.RaiseMouseMove();
    ExpectShowing(form, State::kHoverEnglishFlag);
    form.imgLangENG.RaiseMouseMove(); // still on it: nothing changes
    ExpectShowing(form, State::kHoverEnglishFlag);
    // Straight from one flag to the other.
    form.imgLangHUN.RaiseMouseMove();
    ExpectShowing(form, State::kHoverHungarianFlag);
    form.lblHomepage.RaiseMouseMove();
    ExpectShowing(form, State::kHoverHomePage);
    form.form().RaiseMouseMove();
    ExpectShowing(form, State::kHoverNone);
    form.form().RaiseMouseMove();
    ExpectShowing(form, State::kHoverNone);
}

TEST_F(MainWindowHover, OtherControlsKeepTheHighlight)
{
    ui::frmTolvan& form = Open(0);
    form.imgLangHUN.RaiseMouseMove();
    for (auto* other : {&form.imgLangHUN_hl, &form.lblTitle, &form.recList, &form.ComNew,
                        &form.frAbout, &form.lblVersion}) {
        other->RaiseMouseMove();
    }
    ExpectShowing(form, State::kHoverHungarianFlag);
}

TEST_F(MainWindowHover, TimerEndsTheHighlightOnlyOnceTheCursorIsOutside)
{
    ui::frmTolvan& form = Open(0);
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
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.cursor.x << "," << c.cursor.y);
        form.imgLangENG.RaiseMouseMove();
        windows.cursorPos = c.cursor;
        form.tmrLang.RaiseTimer();
        ExpectShowing(form, c.outside ? State::kHoverNone : State::kHoverEnglishFlag);
        form.form().RaiseMouseMove();
    }
}

TEST_F(MainWindowHover, TickWithNothingLitDoesNothing)
{
    ui::frmTolvan& form = Open(0);
    windows.cursorPos = {-100, -100};
    form.lblHomepage.SetUnderline(true); // only ResetHover would clear it
    form.tmrLang.RaiseTimer();
    EXPECT_TRUE(form.lblHomepage.Underline());
}

TEST_F(MainWindowHover, FlagClickStoresTheLanguageAndKeepsTheHighlight)
{
    ui::frmTolvan& form = Open(0);
    form.imgLangENG.RaiseMouseMove();
    form.imgLangENG_hl.RaiseClick();
    EXPECT_EQ(StoredLanguageBytes(), Bytes({0x01, 0x00}));
    EXPECT_EQ(modTolvan::langFlag, 1);
    EXPECT_EQ(form.form().Caption(), L"Manage Windows startup programs");
    EXPECT_EQ(form.lblTitle.Caption(), L"Manage Windows startup programs");
    EXPECT_EQ(form.ComEdit.Caption(), L"Edit");
    ExpectShowing(form, State::kHoverEnglishFlag);

    // The same language again is stored and applied again.
    EXPECT_TRUE(registry.DeleteKeyTree(platform::reg::kCurrentUser, modRegistry::kSettingsKeyPath));
    form.imgLangENG_hl.RaiseClick();
    EXPECT_EQ(StoredLanguageBytes(), Bytes({0x01, 0x00}));

    form.imgLangHUN.RaiseMouseMove();
    form.imgLangHUN_hl.RaiseClick();
    EXPECT_EQ(StoredLanguageBytes(), Bytes({0x00, 0x00}));
    EXPECT_EQ(form.ComNew.Caption(), L"Új");
    EXPECT_EQ(form.lblTitle.Caption(), L"Windows indulásakor induló programok");
    ExpectShowing(form, State::kHoverHungarianFlag);
}

TEST_F(MainWindowHover, FailedSaveStillSwitchesTheLanguage)
{
    ui::frmTolvan& form = Open(0);
    registry.DenyAccess(platform::reg::kCurrentUser, modRegistry::kSettingsKeyPath);
    form.imgLangENG_hl.RaiseClick();
    EXPECT_EQ(StoredLanguageBytes(), Bytes({}));
    EXPECT_EQ(form.ComDel.Caption(), L"Delete");
}

TEST_F(MainWindowHover, NextStartComesUpInTheStoredLanguage)
{
    ui::frmTolvan& first = Open(0);
    first.imgLangENG_hl.RaiseClick();
    first.ComExit.RaiseClick();
    modTolvan::langFlag = 0;

    platform::portable::HeadlessWindowSystem nextWindows;
    ui::MainWindow next{services, nextWindows};
    modTolvan::Main(services, next);
    ASSERT_NE(next.instance(), nullptr);
    EXPECT_EQ(next.instance()->form().Caption(), L"Manage Windows startup programs");

    next.instance()->imgLangHUN_hl.RaiseClick();
    next.instance()->ComExit.RaiseClick();
    platform::portable::HeadlessWindowSystem thirdWindows;
    ui::MainWindow third{services, thirdWindows};
    modTolvan::Main(services, third);
    EXPECT_EQ(third.instance()->ComExit.Caption(), L"Bezár");
}

TEST_F(MainWindowHover, HomePageClickOpensTheAddressWithoutTouchingTheHighlight)
{
    ui::frmTolvan& form = Open(1);
    form.lblHomepage.RaiseMouseMove();
    form.lblHomepage.RaiseClick();
    ASSERT_EQ(shell.openedAddresses.size(), 1u);
    const auto& opened = shell.openedAddresses[0];
    EXPECT_EQ(opened.owner, windows.Handle(form.form()));
    EXPECT_NE(opened.owner, 0u);
    EXPECT_EQ(opened.address, ui::kHomePageAddress);
    EXPECT_EQ(opened.directory, L"C:\\");
    EXPECT_EQ(opened.showCommand, 0);
    ExpectShowing(form, State::kHoverHomePage);

    // A shell that cannot open it changes nothing either; the label keeps its text in both
    // languages.
    shell.openResult = 2;
    form.form().RaiseMouseMove();
    form.lblHomepage.RaiseClick();
    EXPECT_EQ(shell.openedAddresses.size(), 2u);
    ExpectShowing(form, State::kHoverNone);
    form.ApplyLanguage(0);
    EXPECT_EQ(form.lblHomepage.Caption(), ui::kHomePageText);
}

} // namespace
} // namespace tolvan::test
