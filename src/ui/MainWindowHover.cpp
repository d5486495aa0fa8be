// The banner of the main window: the language flags and the home-page link light up under the
// mouse, and a click on them switches the language or opens the page.
#include "MainWindow.h"
#include "layouts/HomePage.h"

namespace ui {
namespace {

using platform::window::Colour;

constexpr Colour kHomePageColour = Colour::Fixed(0xE65C00);
constexpr Colour kHomePageLitColour = Colour::Fixed(0xFF7C24);

// The working folder of whatever opens the home page.
constexpr platform::NulTerminated kHomePageStartFolder = L"C:\\";

} // namespace

void MainWindow::ResetHover()
{
    const MainWindowControls& c = controls_;
    hover_ = HoverTarget::None;
    c.hoverTimer.SetTimerEnabled(false);
    c.englishFlagLit.SetVisible(false);
    c.hungarianFlagLit.SetVisible(false);
    c.homePageLink.SetForeColour(kHomePageColour);
    c.homePageLink.SetUnderline(false);
}

void MainWindow::EnterHover(HoverTarget target)
{
    if (hover_ == target) {
        return;
    }
    ResetHover();
    hover_ = target;
    const MainWindowControls& c = controls_;
    switch (target) {
    case HoverTarget::EnglishFlag:
        c.englishFlagLit.SetVisible(true);
        break;
    case HoverTarget::HungarianFlag:
        c.hungarianFlagLit.SetVisible(true);
        break;
    case HoverTarget::HomePage:
        c.homePageLink.SetForeColour(kHomePageLitColour);
        c.homePageLink.SetUnderline(true);
        break;
    case HoverTarget::None:
        break;
    }
    // The mouse may leave the window straight from the target, without crossing the bare
    // surface; the timer notices that.
    c.hoverTimer.SetTimerEnabled(true);
}

void MainWindow::OnMouseOverSurface()
{
    if (hover_ != HoverTarget::None) {
        ResetHover();
    }
}

void MainWindow::OnHoverTimer()
{
    if (hover_ == HoverTarget::None) {
        return;
    }
    // Both in screen pixels, so the test holds at any resolution.
    const platform::window::ScreenPoint cursor = windows_.CursorPos();
    const platform::window::ScreenRect window = windows_.OuterRect(form_);
    if (cursor.x < window.left || cursor.x >= window.right || cursor.y < window.top ||
        cursor.y >= window.bottom) {
        ResetHover();
    }
}

void MainWindow::OnFlagClicked(ui::Language language)
{
    // A failed save only costs the choice at the next start; the window follows the click.
    static_cast<void>(ui::SaveLanguage(platform_.registry, language));
    ApplyLanguage(language);
}

void MainWindow::OnHomePageClicked()
{
    // Whether the shell managed it is not the window's concern: a browser that cannot be started
    // says so itself.
    static_cast<void>(platform_.shell.OpenAddress(windows_.Handle(form_), kHomePageAddress,
                                                  kHomePageStartFolder));
}

} // namespace ui
