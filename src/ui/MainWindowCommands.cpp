// The entry commands of the main window: New, Edit, Delete and Close. Every change goes to the
// registry and the list is then read back from it; no entry is changed in place.
#include "ErrorBox.h"
#include "MainWindow.h"
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
    Editor().ShowForNewEntry(form_, EntryDraft{L"new_entry", L"", entries::Scope::AllUsers});
    // Whether the user saved or cancelled.
    RefreshList();
}

void MainWindow::OnEditClicked()
{
    const entries::StartupEntry* entry = SelectedEntry();
    if (entry == nullptr) {
        return;
    }
    Editor().ShowForEntry(form_,
                          EntryDraft{entry->name, entry->command, entry->scope, entry->valueType});
    RefreshList();
}

void MainWindow::OnDeleteClicked()
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
    const platform::RegResult result =
        registry::DeleteValue(platform_.registry, entries::RunKeyOf(entry->scope), entry->name);
    // A value that is no longer there is what the user asked for.
    if (result != platform::reg::kSuccess && result != platform::reg::kFileNotFound) {
        ShowErrorBox(platform_.messageBox, owner, language_,
                     L"Nem törölhető a registry bejegyzés. Próbálja meg a programot "
                     L"rendszergazdaként futtatni.",
                     L"Can't delete registry entry. Try running this application with "
                     L"administrator rights.");
    }
    RefreshList();
}

void MainWindow::OnCloseClicked()
{
    windows_.Unload(form_);
}

} // namespace ui
