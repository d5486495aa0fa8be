#include "MainWindow.h"

#include "RunningProgram.h"
#include "entries/EntryDetails.h"
#include "layouts/MainWindowLayout.h"
#include "platform/StartupTrace.h"

#include <string>
#include <vector>

namespace ui {

using platform::window::Control;
using registry::Language;

MainWindow::MainWindow(platform::Platform& platform, platform::window::WindowSystem& windows,
                       InterfaceLanguage& language, entries::EntryTable& table)
    : platform_(platform), windows_(windows), language_(language), table_(table),
      form_(MainWindowLayout()), controls_(form_)
{
    BindEvents();
}

void MainWindow::BindEvents()
{
    const MainWindowControls& c = controls_;
    form_.onLoad = [this] { OnLoad(); };
    form_.onUnload = [this] { OnUnload(); };
    form_.onMouseMove = [this] { OnMouseOverSurface(); };
    c.entryList.onClick = [this] { OnEntrySelected(); };
    c.entryList.onDoubleClick = [this] { OnEditClicked(); };
    c.entryList.onEnter = [this] { OnEditClicked(); };
    c.newButton.onClick = [this] { OnNewClicked(); };
    c.editButton.onClick = [this] { OnEditClicked(); };
    c.deleteButton.onClick = [this] { OnDeleteClicked(); };
    c.toggleButton.onClick = [this] { OnToggleClicked(); };
    c.closeButton.onClick = [this] { OnCloseClicked(); };
    c.entryList.onContextMenu =
        [this](const platform::window::Control::ContextMenuRequest& request) {
            OnContextMenu(request);
        };
    c.entryList.onDeleteKey = [this] { OnDeleteClicked(); };
    form_.onRefreshKey = [this] { RefreshKeepingSelection(); };
    c.hoverTimer.onTimer = [this] { OnHoverTimer(); };
    c.refreshTimer.onTimer = [this] { OnRefreshTimer(); };
    c.englishFlag.onMouseMove = [this] { EnterHover(HoverTarget::EnglishFlag); };
    c.hungarianFlag.onMouseMove = [this] { EnterHover(HoverTarget::HungarianFlag); };
    c.homePageLink.onMouseMove = [this] { EnterHover(HoverTarget::HomePage); };
    // The lit flag lies over the plain one while the mouse is on it, so it takes the click.
    c.englishFlagLit.onClick = [this] { OnFlagClicked(Language::English); };
    c.hungarianFlagLit.onClick = [this] { OnFlagClicked(Language::Hungarian); };
    c.homePageLink.onClick = [this] { OnHomePageClicked(); };
}

void MainWindow::Show()
{
    if (!form_.Loaded() && !table_.RebuildPending()) {
        // The programs' version texts are read while the window and its controls are made; the
        // list is filled with them once the window is loaded, before it is first shown.
        platform_.changeWatch.Watch(entries::EntryTable::SourceKeys(), table_.SourceFolders());
        table_.BeginRebuild();
    }
    windows_.Show(form_);
}

void MainWindow::OnLoad()
{
    const MainWindowControls& c = controls_;
    c.versionLabel.SetCaption(RunningProgramVersion(platform_.versions));
    for (Control* placeholder : {&c.productLabel, &c.descriptionLabel, &c.makerLabel,
                                 &c.programPathField, &c.nameField, &c.valueField, &c.scopeLabel}) {
        placeholder->SetCaption(L"");
    }
    // Before the texts are applied: the scope line stays empty until an entry is shown.
    shown_.reset();
    c.hungarianFlagLit.SetLeft(c.hungarianFlag.Left());
    c.hungarianFlagLit.SetTop(c.hungarianFlag.Top());
    c.englishFlagLit.SetLeft(c.englishFlag.Left());
    c.englishFlagLit.SetTop(c.englishFlag.Top());
    ResetHover();
    ApplyLanguage(language_.Current());
    platform_.changeWatch.onChange = [this] { OnRegistryChanged(); };
    RefreshList();
}

void MainWindow::OnUnload()
{
    platform_.changeWatch.Stop();
    platform_.changeWatch.onChange = nullptr;
    controls_.refreshTimer.SetTimerEnabled(false);
    refillDue_ = false;
}

void MainWindow::RefreshList()
{
    Control& list = controls_.entryList;
    std::ptrdiff_t remembered = list.SelectedIndex();
    list.ClearItems();
    // Armed before the keys are read: a change from now on is told, and what was changed before
    // is read now, the window's own changes among it, and not told again.
    controls_.refreshTimer.SetTimerEnabled(false);
    refillDue_ = false;
    // A rebuild begun as the window opened was read after the watch was armed.
    if (!table_.RebuildPending()) {
        if (form_.Loaded()) {
            platform_.changeWatch.Watch(entries::EntryTable::SourceKeys(), table_.SourceFolders());
        }
        table_.BeginRebuild();
    }
    ++refills_;
    ReportDetailsFailures(table_.FinishRebuild());
    std::vector<std::wstring> texts;
    texts.reserve(table_.Count());
    for (const entries::StartupEntry& entry : table_.Entries()) {
        texts.push_back(entry.displayText);
    }
    list.AddItems(std::move(texts));
    // A switched-off entry stays in the list, greyed.
    const std::span<const entries::StartupEntry> listed = table_.Entries();
    for (std::size_t index = 0; index < listed.size(); ++index) {
        if (listed[index].disabled) {
            list.SetItemDimmed(index, true);
        }
    }
    const auto count = static_cast<std::ptrdiff_t>(list.Items().size());
    if (remembered >= count) {
        remembered = count - 1;
    }
    list.SetSelectedIndex(remembered);
    platform::MarkStartup("list filled");
}

void MainWindow::RefreshKeepingSelection()
{
    Control& list = controls_.entryList;
    const entries::StartupEntry* selected = SelectedEntry();
    const std::optional<std::pair<entries::Scope, std::wstring>> identity =
        selected != nullptr ? std::optional(std::pair(selected->scope, selected->name))
                            : std::nullopt;
    const std::ptrdiff_t top = list.TopIndex();
    RefreshList();
    if (identity) {
        SelectEntry(identity->first, identity->second);
    }
    list.SetTopIndex(top);
}

void MainWindow::OnRegistryChanged()
{
    RestartRefreshTimer();
}

void MainWindow::RestartRefreshTimer()
{
    // Every change starts the wait anew, so that a burst of changes is read once, after it.
    controls_.refreshTimer.SetTimerEnabled(false);
    controls_.refreshTimer.SetTimerEnabled(true);
}

void MainWindow::OnRefreshTimer()
{
    controls_.refreshTimer.SetTimerEnabled(false);
    if (modalDepth_ > 0) {
        refillDue_ = true;
        return;
    }
    RefreshKeepingSelection();
}

void MainWindow::ReportDetailsFailures(const entries::RebuildReport& report)
{
    if (!report.firstFailure) {
        return;
    }
    // One box for the whole refill, however many programs could not be read.
    std::wstring text = L"Error: " + report.firstFailure->description + L" (" +
                        std::to_wstring(report.firstFailure->number) + L")";
    if (report.failedEntries > 1) {
        const std::wstring more = std::to_wstring(report.failedEntries - 1);
        text += L"\r\n";
        text += language_.Text(L"(és még " + more + L" bejegyzés)",
                               L"(and " + more + L" more entries)");
    }
    Modally([&] {
        (void)platform_.messageBox.Show(0, text, L"Tolvan", platform::MessageButtons::Ok,
                                        platform::MessageIcon::None);
    });
}

void MainWindow::ApplyLanguage(Language language)
{
    language_.Set(language);
    const InterfaceLanguage& text = language_;
    const MainWindowControls& c = controls_;
    form_.SetCaption(
        text.Text(L"Windows indulásakor induló programok", L"Manage Windows startup programs"));
    c.descriptionFrame.SetCaption(text.Text(L"Program leírása", L"Application description"));
    c.locationFrame.SetCaption(text.Text(L"EXE fájl helye", L"Location of EXE file"));
    c.registryFrame.SetCaption(text.Text(L"Registry értékek", L"Registry values"));
    c.nameLabel.SetCaption(text.Text(L"Név:", L"Name:"));
    c.valueLabel.SetCaption(text.Text(L"Érték:", L"Value:"));
    c.newButton.SetCaption(text.Text(L"Új", L"New"));
    c.editButton.SetCaption(text.Text(L"Szerkeszt", L"Edit"));
    c.deleteButton.SetCaption(text.Text(L"Töröl", L"Delete"));
    c.closeButton.SetCaption(text.Text(L"Bezár", L"Close"));
    ShowScope();
    c.titleLabel.SetCaption(form_.Caption());
}

const entries::StartupEntry* MainWindow::SelectedEntry() const noexcept
{
    const std::ptrdiff_t index = controls_.entryList.SelectedIndex();
    return index < 0 ? nullptr : table_.EntryAt(static_cast<std::size_t>(index));
}

void MainWindow::OnEntrySelected()
{
    const entries::StartupEntry* entry = SelectedEntry();
    if (entry == nullptr) {
        return;
    }
    const MainWindowControls& c = controls_;
    c.editButton.SetEnabled(true);
    c.deleteButton.SetEnabled(true);
    c.toggleButton.SetEnabled(true);

    if (!entry->productName.empty() || !entry->description.empty()) {
        // A file that names itself the same way twice shows the name once.
        c.productLabel.SetCaption(entry->productName == entry->description ? std::wstring()
                                                                           : entry->productName);
        c.descriptionLabel.SetCaption(entry->description);
    } else {
        c.productLabel.SetCaption(L"");
        c.descriptionLabel.SetCaption(
            entries::ProgramFileExists(platform_.files, entry->programPath)
                ? language_.Text(L"nem áll rendelkezésre információ", L"no information available")
                : language_.Text(L"a megadott fájl nem létezik", L"file is missing"));
    }
    c.makerLabel.SetCaption(entry->companyName);
    c.productLabel.SetTooltip(L"Termék neve");
    c.descriptionLabel.SetTooltip(L"Program leírása");
    c.makerLabel.SetTooltip(L"Gyártó");

    shown_ = ShownState{entry->scope, entry->disabled, entry->disabledSince};
    ShowScope();

    c.nameField.SetCaption(entry->name);
    c.valueField.SetCaption(entry->command);
    c.programPathField.SetCaption(entry->programPath);
    c.programPathField.SetTooltip(entry->programPath);
}

void MainWindow::ShowScope()
{
    const bool disabled = shown_ && shown_->disabled;
    controls_.toggleButton.SetCaption(disabled ? language_.Text(L"Engedélyez", L"Enable")
                                               : language_.Text(L"Letilt", L"Disable"));
    if (!shown_) {
        return;
    }
    std::wstring line = language_.Text(L"Hatáskör:", L"Scope:") + L" ";
    switch (shown_->scope) {
    case entries::Scope::CurrentUser:
        line += language_.Text(L"Jelenlegi felhasználó", L"Current user");
        break;
    case entries::Scope::AllUsers:
        line += language_.Text(L"Összes felhasználó", L"All users");
        break;
    case entries::Scope::AllUsers32Bit:
        line += language_.Text(L"Összes felhasználó (32 bites)", L"All users (32-bit)");
        break;
    case entries::Scope::CurrentUserStartupFolder:
        line += language_.Text(L"Jelenlegi felhasználó (Indítópult mappa)",
                               L"Current user (Startup folder)");
        break;
    case entries::Scope::AllUsersStartupFolder:
        line +=
            language_.Text(L"Összes felhasználó (Indítópult mappa)", L"All users (Startup folder)");
        break;
    }
    if (disabled) {
        const std::wstring since = shown_->disabledSince != 0
                                       ? platform_.clock.LocalDateAndTime(shown_->disabledSince)
                                       : std::wstring();
        line += since.empty() ? language_.Text(L", letiltva", L", disabled")
                              : language_.Text(L", letiltva " + since + L" óta",
                                               L", disabled since " + since);
    }
    controls_.scopeLabel.SetCaption(line);
}

} // namespace ui
