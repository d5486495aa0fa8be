// The entry commands of the main window: New, Edit, Delete and Close. Every change goes to the
// registry and the list is then read back from it; no entry is changed in place. A command
// raised while one of the tool's own modal windows is open does nothing: it would act on a list
// that is about to change under it.
#include "ChangeFailureBox.h"
#include "MainWindow.h"
#include "entries/EntryChanges.h"
#include "entries/StartupFolderEntries.h"

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
    if (modalDepth_ > 0) {
        return;
    }
    Modally([this] {
        Editor().ShowForNewEntry(form_, EntryDraft{L"new_entry", L"", entries::Scope::AllUsers});
    });
    // Whether the user saved or cancelled.
    RefillList();
}

void MainWindow::OnEditClicked()
{
    const entries::StartupEntry* entry = SelectedEntry();
    if (entry == nullptr || modalDepth_ > 0) {
        return;
    }
    if (entries::IsFolderScope(entry->scope) && !entries::IsShortcutFile(entry->filePath)) {
        // A file other than a shortcut holds no command to change.
        Modally([this] {
            (void)platform_.messageBox.Show(
                windows_.Handle(form_), language_.Text(UiText::CannotEdit), L"Tolvan",
                platform::MessageButtons::Ok, platform::MessageIcon::Warning);
        });
        return;
    }
    const EntryDraft draft{entry->name,      entry->command,  entry->scope,
                           entry->valueType, entry->filePath, entry->valueData};
    Modally([&] { Editor().ShowForEntry(form_, draft); });
    RefillList();
}

void MainWindow::OnDeleteClicked()
{
    if (modalDepth_ > 0) {
        return;
    }
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
        owner, language_.Text(UiText::DeleteQuestion), L"Tolvan",
        platform::MessageButtons::OkCancel, platform::MessageIcon::Question);
    if (answer != platform::MessageAnswer::Ok) {
        return;
    }
    const entries::ChangeResult result = entries::EntryChanges(platform_).Delete(*entry);
    if (!result.Succeeded()) {
        ShowChangeFailure(platform_, owner, language_, result, UiText::CannotDelete);
    }
    RefillList();
}

void MainWindow::OnSwitchClicked()
{
    const entries::StartupEntry* entry = SelectedEntry();
    if (entry == nullptr || modalDepth_ > 0 || !entries::HasSwitches(entry->scope)) {
        return;
    }
    if (const entries::ChangeResult result =
            entries::EntryChanges(platform_).SetSwitch(*entry, !entry->switchedOff);
        !result.Succeeded()) {
        Modally([&] {
            ShowChangeFailure(platform_, windows_.Handle(form_), language_, result,
                              UiText::CannotModify);
        });
    }
    // The entry is found again by what the refill cannot change: its scope and name.
    Refill(Reselect::Entry);
}

bool MainWindow::SelectEntry(const entries::EntryKey& key)
{
    const std::optional<std::size_t> found = listed_->Find(key);
    if (found) {
        controls_.entryList.SetSelectedIndex(static_cast<std::ptrdiff_t>(*found));
    }
    return found.has_value();
}

void MainWindow::OnCloseClicked()
{
    windows_.Unload(form_);
}

} // namespace ui
