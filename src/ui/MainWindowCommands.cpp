// The entry commands of the main window: New, Edit, Delete and Close. Every change goes to the
// registry and the list is then read back from it; no entry is changed in place.
#include "ErrorBox.h"
#include "MainWindow.h"
#include "entries/StartupApproval.h"
#include "entries/StartupFolderEntries.h"
#include "registry/RegistryValues.h"

namespace ui {

EntryEditor& MainWindow::Editor()
{
    if (!editor_) {
        editor_ = std::make_unique<EntryEditor>(platform_, windows_, language_);
    }
    return *editor_;
}

void MainWindow::OnNewClicked()
{
    Modally([this] {
        Editor().ShowForNewEntry(form_, EntryDraft{L"new_entry", L"", entries::Scope::AllUsers});
    });
    // Whether the user saved or cancelled.
    RefreshList();
}

void MainWindow::OnEditClicked()
{
    const entries::StartupEntry* entry = SelectedEntry();
    if (entry == nullptr) {
        return;
    }
    if (entries::IsFolderScope(entry->scope) && !entries::IsShortcutFile(entry->filePath)) {
        // A file other than a shortcut holds no command to change.
        Modally([this] {
            (void)platform_.messageBox.Show(
                windows_.Handle(form_),
                language_.Text(L"Ez az elem nem szerkeszthető.", L"This item can't be edited."),
                L"Tolvan", platform::MessageButtons::Ok, platform::MessageIcon::Warning);
        });
        return;
    }
    const EntryDraft draft{entry->name, entry->command, entry->scope, entry->valueType,
                           entry->filePath};
    Modally([&] { Editor().ShowForEntry(form_, draft); });
    RefreshList();
}

void MainWindow::OnDeleteClicked()
{
    Modally([this] { DeleteSelectedEntry(); });
}

void MainWindow::DeleteSelectedEntry()
{
    const entries::StartupEntry* entry = SelectedEntry();
    if (entry == nullptr) {
        return;
    }
    const platform::WindowId owner = windows_.Handle(form_);
    const platform::MessageAnswer answer = platform_.messageBox.Show(
        owner,
        language_.Text(L"Biztos hogy törölni szeretné ezt a registry bejegyzést?",
                       L"Are you sure you want to delete this registry entry?"),
        L"Tolvan", platform::MessageButtons::OkCancel, platform::MessageIcon::Question);
    if (answer != platform::MessageAnswer::Ok) {
        return;
    }
    // A value that is no longer there is what the user asked for; a file goes to the Recycle Bin,
    // from where the user can have it back.
    const bool inFolder = entries::IsFolderScope(entry->scope);
    const std::uint32_t result =
        inFolder ? platform_.startupFolders.RecycleFile(entry->filePath)
                 : static_cast<std::uint32_t>(registry::DeleteValue(
                       platform_.registry, entries::RunKeyOf(entry->scope), entry->name));
    if (result != 0 && result != platform::reg::kFileNotFound) {
        ShowErrorBox(platform_.messageBox, owner, language_,
                     L"Nem törölhető a registry bejegyzés. Próbálja meg a programot "
                     L"rendszergazdaként futtatni.",
                     L"Can't delete registry entry. Try running this application with "
                     L"administrator rights.");
    } else if (entries::RemoveApproval(platform_.registry, entry->scope,
                                       entries::SwitchNameOf(*entry)) != platform::reg::kSuccess) {
        // The entry is gone; only its on/off switch stayed behind.
        ShowCannotModifyBox(platform_.messageBox, owner, language_);
    }
    RefreshList();
}

void MainWindow::OnToggleClicked()
{
    const entries::StartupEntry* entry = SelectedEntry();
    if (entry == nullptr) {
        return;
    }
    // The entry is identified by what the refill cannot change: its scope and name.
    const entries::Scope scope = entry->scope;
    const std::wstring name = entry->name;
    if (entries::SetApproval(platform_.registry, scope, entries::SwitchNameOf(*entry),
                             !entry->disabled, platform_.clock.Now()) != platform::reg::kSuccess) {
        Modally([this] {
            ShowCannotModifyBox(platform_.messageBox, windows_.Handle(form_), language_);
        });
    }
    RefreshList();
    SelectEntry(scope, name);
}

void MainWindow::SelectEntry(entries::Scope scope, std::wstring_view name)
{
    const std::span<const entries::StartupEntry> listed = table_.Entries();
    for (std::size_t index = 0; index < listed.size(); ++index) {
        if (listed[index].scope == scope && listed[index].name == name) {
            controls_.entryList.SetSelectedIndex(static_cast<std::ptrdiff_t>(index));
            return;
        }
    }
}

void MainWindow::OnCloseClicked()
{
    windows_.Unload(form_);
}

} // namespace ui
