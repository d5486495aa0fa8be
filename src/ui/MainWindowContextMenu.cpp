// The list's context menu: the entry commands of the buttons, and what the shell can do with the
// entry's program file.
#include "ErrorBox.h"
#include "MainWindow.h"
#include "SignatureText.h"

#include <array>
#include <cstddef>

namespace ui {
namespace {

// The menu's items, in the order shown.
enum class MenuChoice : std::uint8_t {
    Edit,
    Switch,
    Delete,
    Separator,
    OpenFileLocation,
    SignatureDetails,
    Properties,
    CopyCommand,
    ListSeparator,
    SaveList,
};

} // namespace

void MainWindow::OnContextMenu(const platform::window::Control::ContextMenuRequest& request)
{
    if (modalDepth_ > 0) {
        return;
    }
    // The right button acts on the item under it, as the left one would; beside the items, and
    // by keyboard with nothing selected, the menu offers only what needs no entry.
    if (!request.byKeyboard && request.itemUnderPointer != platform::window::kNoSelection) {
        controls_.entryList.SetSelectedIndex(request.itemUnderPointer);
    }
    const entries::StartupEntry* entry =
        !request.byKeyboard && request.itemUnderPointer == platform::window::kNoSelection
            ? nullptr
            : SelectedEntry();
    const bool any = entry != nullptr;
    const bool fileThere = any && entry->programFound;
    using platform::window::MenuItem;
    const std::array items{
        MenuItem{.text = language_.Text(UiText::EditButton), .enabled = any, .isDefault = any},
        MenuItem{.text = any && entry->switchedOff ? language_.Text(UiText::EnableButton)
                                                   : language_.Text(UiText::DisableButton),
                 .enabled = any && entries::HasSwitches(entry->scope)},
        MenuItem{.text = language_.Text(UiText::DeleteButton), .enabled = any},
        MenuItem{.text = {}, .separator = true},
        MenuItem{.text = language_.Text(UiText::OpenFileLocation), .enabled = fileThere},
        MenuItem{.text = language_.Text(UiText::SignatureDetails),
                 .enabled = any && HasSignatureDetails(*entry)},
        MenuItem{.text = language_.Text(UiText::Properties), .enabled = fileThere},
        MenuItem{.text = language_.Text(UiText::CopyCommand), .enabled = any},
        MenuItem{.text = {}, .separator = true},
        MenuItem{.text = language_.Text(UiText::SaveList)},
    };
    std::optional<std::size_t> chosen;
    Modally([&] { chosen = windows_.ShowMenu(form_, items, request.at); });
    if (!chosen || *chosen >= items.size() || !items[*chosen].enabled) {
        return;
    }
    switch (static_cast<MenuChoice>(*chosen)) {
    case MenuChoice::Edit:
        OnEditClicked();
        break;
    case MenuChoice::Switch:
        OnSwitchClicked();
        break;
    case MenuChoice::Delete:
        OnDeleteClicked();
        break;
    case MenuChoice::OpenFileLocation:
        OpenFileLocation();
        break;
    case MenuChoice::SignatureDetails:
        ShowSignatureDetails();
        break;
    case MenuChoice::Properties:
        ShowFileProperties();
        break;
    case MenuChoice::CopyCommand:
        CopyCommand();
        break;
    case MenuChoice::SaveList:
        SaveList();
        break;
    case MenuChoice::Separator:
    case MenuChoice::ListSeparator:
        break;
    }
}

void MainWindow::OpenFileLocation()
{
    const entries::StartupEntry* entry = SelectedEntry();
    const platform::WindowId owner = windows_.Handle(form_);
    if (entry != nullptr && !platform_.shell.ShowInFolder(owner, entry->programPath)) {
        Modally([&] {
            ShowErrorBox(platform_.messageBox, owner, language_, UiText::CannotOpenLocation);
        });
    }
}

void MainWindow::ShowFileProperties()
{
    const entries::StartupEntry* entry = SelectedEntry();
    const platform::WindowId owner = windows_.Handle(form_);
    if (entry != nullptr && !platform_.shell.ShowProperties(owner, entry->programPath)) {
        Modally([&] {
            ShowErrorBox(platform_.messageBox, owner, language_, UiText::CannotShowProperties);
        });
    }
}

void MainWindow::ShowSignatureDetails()
{
    const entries::StartupEntry* entry = SelectedEntry();
    if (entry == nullptr) {
        return;
    }
    const std::wstring text =
        SignatureDetailsText(language_, platform_.messageBox, platform_.clock, *entry);
    const platform::WindowId owner = windows_.Handle(form_);
    Modally([&] {
        (void)platform_.messageBox.Show(owner, text, L"Tolvan", platform::MessageButtons::Ok,
                                        platform::MessageIcon::Information);
    });
}

void MainWindow::CopyCommand()
{
    const entries::StartupEntry* entry = SelectedEntry();
    const platform::WindowId owner = windows_.Handle(form_);
    if (entry != nullptr && !platform_.clipboard.SetText(owner, entry->command)) {
        Modally([&] {
            ShowErrorBox(platform_.messageBox, owner, language_, UiText::CannotCopyCommand);
        });
    }
}

} // namespace ui
