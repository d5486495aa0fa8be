#include "MainWindow.h"

#include "RunningProgram.h"
#include "ScopeText.h"
#include "SignatureText.h"
#include "entries/HiddenName.h"
#include "layouts/MainWindowLayout.h"

#include <string>
#include <vector>

namespace ui {

using platform::window::Control;

MainWindow::MainWindow(platform::Platform& platform, platform::window::WindowSystem& windows,
                       InterfaceLanguage& language, entries::EntryTable& table)
    : platform_(platform), windows_(windows), language_(language), table_(table),
      listed_(table.Current()), form_(MainWindowLayout()), controls_(form_)
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
    c.switchButton.onClick = [this] { OnSwitchClicked(); };
    c.closeButton.onClick = [this] { OnCloseClicked(); };
    c.entryList.onContextMenu =
        [this](const platform::window::Control::ContextMenuRequest& request) {
            OnContextMenu(request);
        };
    c.entryList.onDeleteKey = [this] { OnDeleteClicked(); };
    form_.onRefillKey = [this] {
        if (modalDepth_ == 0) {
            // Asked for by the user: what cannot be read is told again.
            toldSources_.clear();
            RefillKeepingSelection();
        }
    };
    form_.onSaveKey = [this] { SaveList(); };
    c.hoverTimer.onTimer = [this] { OnHoverTimer(); };
    c.refillTimer.onTimer = [this] { OnRefillTimer(); };
    c.readingTimer.onTimer = [this] { OnReadingTimer(); };
    c.sourceCheckTimer.onTimer = [this] { OnSourceCheckTimer(); };
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
    if (!form_.Loaded() && !table_.Refilling()) {
        // The entries are read while the window and its controls are made; the list is filled
        // with them once the window is loaded, before it is first shown, when they are ready by
        // then.
        WatchSources();
        table_.StartRefill();
        ++refills_;
    }
    windows_.Show(form_);
}

void MainWindow::OnLoad()
{
    const MainWindowControls& c = controls_;
    c.versionLabel.SetCaption(RunningProgramVersion(platform_.versions));
    for (Control* placeholder :
         {&c.productLabel, &c.descriptionLabel, &c.makerLabel, &c.programPathField,
          &c.signatureLabel, &c.nameField, &c.valueField, &c.scopeLabel}) {
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
    platform_.changeWatch.onLost = [this] {
        // What changed while the watch was failing is read too.
        CheckSourcesFromNowOn();
        RestartRefillTimer();
    };
    controls_.readingLabel.SetVisible(false);
    if (!table_.Refilling()) {
        Refill(Reselect::Position);
        return;
    }
    // A short wait spares a window that shows its list a moment later; a long one would keep
    // the window from showing at all.
    reselect_ = Reselect::Position;
    (void)table_.WaitForRefill(kQuickRefill);
    if (!TakeRefill()) {
        controls_.readingTimer.SetTimerEnabled(true);
        ShowReadingProgress();
    }
}

void MainWindow::OnUnload()
{
    platform_.changeWatch.Stop();
    platform_.changeWatch.onChange = nullptr;
    platform_.changeWatch.onLost = nullptr;
    controls_.refillTimer.SetTimerEnabled(false);
    controls_.sourceCheckTimer.SetTimerEnabled(false);
    controls_.readingTimer.SetTimerEnabled(false);
    refillDue_ = false;
}

void MainWindow::ApplyLanguage(Language language)
{
    language_.Set(language);
    const InterfaceLanguage& text = language_;
    const MainWindowControls& c = controls_;
    form_.SetCaption(text.Text(UiText::MainTitle));
    c.descriptionFrame.SetCaption(text.Text(UiText::DescriptionFrame));
    c.locationFrame.SetCaption(text.Text(UiText::LocationFrame));
    c.registryFrame.SetCaption(text.Text(UiText::RegistryFrame));
    c.nameLabel.SetCaption(text.Text(UiText::NameLabel));
    c.valueLabel.SetCaption(text.Text(UiText::ValueLabel));
    c.newButton.SetCaption(text.Text(UiText::NewButton));
    c.editButton.SetCaption(text.Text(UiText::EditButton));
    c.deleteButton.SetCaption(text.Text(UiText::DeleteButton));
    c.closeButton.SetCaption(text.Text(UiText::CloseButton));
    ShowScope();
    if (const entries::StartupEntry* entry = SelectedEntry()) {
        ShowSignature(*entry);
    }
    c.titleLabel.SetCaption(form_.Caption());
}

const entries::StartupEntry* MainWindow::SelectedEntry() const noexcept
{
    const std::ptrdiff_t index = controls_.entryList.SelectedIndex();
    if (index < 0 || static_cast<std::size_t>(index) >= listed_->entries.size()) {
        return nullptr;
    }
    return &listed_->entries[static_cast<std::size_t>(index)];
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
    // Windows keeps no switch for the policy and RunOnce keys.
    c.switchButton.SetEnabled(entries::HasSwitches(entry->scope));

    if (!entry->productName.empty() || !entry->description.empty()) {
        // A file that names itself the same way twice shows the name once.
        c.productLabel.SetCaption(entry->productName == entry->description ? std::wstring()
                                                                           : entry->productName);
        c.descriptionLabel.SetCaption(entry->description);
    } else {
        c.productLabel.SetCaption(L"");
        // The panel never waits for a file: what the refill found is what it says.
        c.descriptionLabel.SetCaption(entry->textsPending ? language_.Text(UiText::DetailsBeingRead)
                                      : entry->programFound ? language_.Text(UiText::NoInformation)
                                                            : language_.Text(UiText::FileMissing));
    }
    c.makerLabel.SetCaption(entry->companyName);
    c.productLabel.SetTooltip(L"Termék neve");
    c.descriptionLabel.SetTooltip(L"Program leírása");
    c.makerLabel.SetTooltip(L"Gyártó");

    shown_ = ShownState{entry->scope, entry->switchedOff, entry->switchedOffSince,
                        entry->switchUnreadable, entries::IsHiddenName(entry->name)};
    ShowScope();

    c.nameField.SetCaption(entries::ShownName(entry->name));
    c.valueField.SetCaption(entry->command);
    c.programPathField.SetCaption(entry->programPath);
    c.programPathField.SetTooltip(entry->programPath);
    ShowSignature(*entry);
}

void MainWindow::ShowSignature(const entries::StartupEntry& entry)
{
    const std::wstring line = SignatureLine(language_, platform_.messageBox, entry);
    controls_.signatureLabel.SetCaption(line);
    controls_.signatureLabel.SetForeColour(SignatureColour(entry));
    // A long reason does not fit the line.
    controls_.signatureLabel.SetTooltip(line);
}

void MainWindow::ShowScope()
{
    const bool switchedOff = shown_ && shown_->switchedOff;
    controls_.switchButton.SetCaption(switchedOff ? language_.Text(UiText::EnableButton)
                                                  : language_.Text(UiText::DisableButton));
    if (!shown_) {
        return;
    }
    std::wstring line =
        language_.Text(UiText::ScopeLabel) + L" " + ScopeText(language_, shown_->scope);
    if (shown_->hiddenName) {
        line += language_.Text(UiText::HiddenNameSuffix);
    }
    if (switchedOff) {
        const std::wstring since = shown_->switchedOffSince != 0
                                       ? platform_.clock.LocalDateAndTime(shown_->switchedOffSince)
                                       : std::wstring();
        line += since.empty() ? language_.Text(UiText::DisabledSuffix)
                              : language_.Text(UiText::DisabledSinceSuffix, {since});
    }
    if (shown_->switchUnreadable) {
        line += language_.Text(UiText::StateUnreadableSuffix);
    }
    controls_.scopeLabel.SetCaption(line);
}

} // namespace ui
