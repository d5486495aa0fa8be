#include "ChangeFailureBox.h"

#include <string>

namespace ui {
namespace {

std::wstring ChangeFailureText(platform::Platform& platform, const InterfaceLanguage& language,
                               const entries::ChangeResult& result, UiText entryRefused)
{
    using Failed = entries::ChangeResult::Failed;
    const std::wstring windows = platform.messageBox.ErrorText(result.error);
    std::wstring text;
    switch (result.failed) {
    case Failed::File:
        text = language.Text(UiText::CannotChangeFile, {result.file, windows});
        break;
    case Failed::Switch:
        text = language.Text(UiText::CannotChangeSwitch, {windows});
        break;
    case Failed::SwitchLeftBehind:
        text = language.Text(UiText::SwitchLeftBehind, {windows});
        break;
    default:
        text = language.Text(entryRefused, {windows});
        break;
    }
    // An administrator already has every right the hint could offer: it would only mislead.
    if (!platform.shell.IsAdministrator()) {
        text += L"\r\n" + language.Text(UiText::AdministratorHint);
    }
    return text;
}

} // namespace

void ShowChangeFailure(platform::Platform& platform, platform::WindowId owner,
                       const InterfaceLanguage& language, const entries::ChangeResult& result,
                       UiText entryRefused)
{
    (void)platform.messageBox.Show(owner,
                                   ChangeFailureText(platform, language, result, entryRefused),
                                   language.Text(UiText::ErrorTitle), platform::MessageButtons::Ok,
                                   platform::MessageIcon::Error);
}

} // namespace ui
