#include "Application.h"

#include "platform/StartupTrace.h"
#include "ui/LanguageSetting.h"

namespace app {
namespace {

constexpr platform::NulTerminated kApplicationTitle = L"Tolvan";

} // namespace

Application::Application(platform::Platform& platform, platform::window::WindowSystem& windows)
    : platform_(platform), windows_(windows), table_(platform)
{
}

bool Application::Start()
{
    // The language comes first, so that the refusal below already speaks it.
    language_.Set(ui::LoadLanguage(platform_.registry));
    platform::MarkStartup("language read");

    if (!platform_.shell.IsAdministrator()) {
        (void)platform_.messageBox.Show(0, language_.Text(ui::UiText::AdministratorNeeded),
                                        kApplicationTitle, platform::MessageButtons::Ok,
                                        platform::MessageIcon::Warning);
        return false;
    }
    platform::MarkStartup("rights checked");

    if (!mainWindow_) {
        mainWindow_ = std::make_unique<ui::MainWindow>(platform_, windows_, language_, table_);
    }
    mainWindow_->Show();
    return true;
}

} // namespace app
