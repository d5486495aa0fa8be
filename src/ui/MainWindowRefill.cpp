// How the main window's list is refilled: a refill runs off the window's thread, and the window
// takes its snapshot between messages, never under one of the tool's own modal windows; while it
// runs, the list shows the last snapshot taken, and after about a third of a second the banner
// says how far the reading has got.
#include "MainWindow.h"
#include "ScopeText.h"
#include "SignatureText.h"
#include "platform/StartupTrace.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace ui {

using platform::window::Control;

namespace {

// How many lines go into the list box at once, and for how long at most before the window
// answers other messages again.
constexpr std::size_t kRowsAtOnce = 500;
constexpr std::chrono::milliseconds kLongestListing{30};

// A count with its thousands grouped as the language writes them: "20 000", "20,000".
std::wstring GroupedNumber(std::size_t number, Language language)
{
    const std::wstring digits = std::to_wstring(number);
    const wchar_t separator = language == Language::Hungarian ? L' ' : L',';
    std::wstring grouped;
    for (std::size_t index = 0; index < digits.size(); ++index) {
        if (index > 0 && (digits.size() - index) % 3 == 0) {
            grouped += separator;
        }
        grouped += digits[index];
    }
    return grouped;
}

} // namespace

void MainWindow::RefillList()
{
    Refill(Reselect::Position);
}

void MainWindow::RefillKeepingSelection()
{
    Refill(Reselect::EntryAndScroll);
}

void MainWindow::Refill(Reselect reselect)
{
    // Armed before the keys are read: a change from now on is told, and what was changed before
    // is read now, the window's own changes among it, and not told again.
    controls_.refillTimer.SetTimerEnabled(false);
    refillDue_ = false;
    if (form_.Loaded()) {
        WatchSources();
    }
    reselect_ = reselect;
    readingTicks_ = 0;
    table_.StartRefill();
    ++refills_;
    if (!TakeRefill()) {
        controls_.readingTimer.SetTimerEnabled(true);
    }
}

bool MainWindow::TakeRefill()
{
    // What the user has selected now, in the snapshot the list shows until this moment.
    const entries::StartupEntry* selected = SelectedEntry();
    const std::optional<entries::EntryKey> selectedKey =
        selected != nullptr ? std::optional(entries::KeyOf(*selected)) : std::nullopt;
    const std::ptrdiff_t position = controls_.entryList.SelectedIndex();
    const std::ptrdiff_t top = controls_.entryList.TopIndex();
    if (!table_.TakeRefill()) {
        return false;
    }
    listed_ = table_.Current();
    // The same entry where it is listed now, else the same position (the last one when the list
    // got shorter).
    std::optional<std::size_t> row;
    if (reselect_ != Reselect::Position && selectedKey) {
        row = listed_->Find(*selectedKey);
    }
    if (!row && position >= 0 && !listed_->entries.empty()) {
        row = std::min(static_cast<std::size_t>(position), listed_->entries.size() - 1);
    }
    rowToSelect_ = row;
    topToKeep_ = reselect_ == Reselect::EntryAndScroll ? std::optional(top) : std::nullopt;
    readingTicks_ = 0;
    controls_.readingLabel.SetVisible(false);
    controls_.entryList.ClearItems();
    rowsListed_ = 0;
    controls_.readingTimer.SetTimerEnabled(true);
    ListMoreRows();
    return true;
}

void MainWindow::ListMoreRows()
{
    Control& list = controls_.entryList;
    const std::size_t count = listed_->entries.size();
    const auto start = std::chrono::steady_clock::now();
    while (rowsListed_ < count) {
        const std::size_t end = std::min(count, rowsListed_ + kRowsAtOnce);
        std::vector<std::wstring> texts;
        texts.reserve(end - rowsListed_);
        for (std::size_t index = rowsListed_; index < end; ++index) {
            texts.push_back(listed_->entries[index].displayText);
        }
        list.AddItems(std::move(texts));
        // A switched-off entry stays in the list, greyed; one whose program's signature fails
        // carries a mark.
        for (std::size_t index = rowsListed_; index < end; ++index) {
            const entries::StartupEntry& entry = listed_->entries[index];
            if (entry.switchedOff) {
                list.SetItemDimmed(index, true);
            }
            if (SignatureNeedsMark(entry)) {
                list.SetItemFlagged(index, true);
            }
        }
        rowsListed_ = end;
        if (rowToSelect_ && *rowToSelect_ < rowsListed_) {
            list.SetSelectedIndex(static_cast<std::ptrdiff_t>(*rowToSelect_));
            rowToSelect_.reset();
        }
        // A list box takes its lines one by one: a long list is filled over several turns of the
        // timer, so that the window answers meanwhile. Its rows are the snapshot's first ones.
        if (rowsListed_ < count && std::chrono::steady_clock::now() - start > kLongestListing) {
            return;
        }
    }
    FinishListing();
}

void MainWindow::FinishListing()
{
    platform::MarkStartup("list filled");
    // Texts still being read come with a later refill, which the timer starts. The sources
    // that could not be read are told at its next turn, over the window once it shows.
    unreadToTell_ = listed_->report.unreadSources != toldSources_;
    controls_.readingTimer.SetTimerEnabled(unreadToTell_ || AwaitingTexts());
    if (topToKeep_) {
        controls_.entryList.SetTopIndex(*topToKeep_);
        topToKeep_.reset();
    }
    ReportDetailsFailures(listed_->report);
}

void MainWindow::OnReadingTimer()
{
    if (unreadToTell_ && modalDepth_ == 0 && rowsListed_ == listed_->entries.size()) {
        unreadToTell_ = false;
        ReportUnreadSources(listed_->report.unreadSources);
    }
    if (rowsListed_ < listed_->entries.size()) {
        if (modalDepth_ == 0) {
            ListMoreRows();
        }
        return;
    }
    if (table_.TakeLateTexts()) {
        // Texts that were slow to come: shown by a refill of their own, as a change would be.
        if (modalDepth_ > 0) {
            refillDue_ = true;
        } else {
            RefillKeepingSelection();
        }
        return;
    }
    if (!table_.Refilling()) {
        controls_.readingTimer.SetTimerEnabled(unreadToTell_ || AwaitingTexts());
        return;
    }
    ++readingTicks_;
    // The list changes under no window of the tool's own.
    if (modalDepth_ == 0 && TakeRefill()) {
        return;
    }
    if (static_cast<std::int64_t>(readingTicks_) * controls_.readingTimer.Interval() >=
        kQuickRefill.count()) {
        ShowReadingProgress();
    }
}

bool MainWindow::AwaitingTexts() const
{
    return table_.ReadsUnderWay() ||
           std::any_of(listed_->entries.begin(), listed_->entries.end(),
                       [](const entries::StartupEntry& entry) { return entry.textsPending; });
}

void MainWindow::ShowReadingProgress()
{
    const entries::RefillProgress progress = table_.Progress();
    const std::wstring done = GroupedNumber(progress.done, language_.Current());
    const std::wstring total = GroupedNumber(progress.total, language_.Current());
    controls_.readingLabel.SetCaption(progress.total == 0
                                          ? language_.Text(UiText::Reading)
                                          : language_.Text(UiText::ReadingCount, {done, total}));
    controls_.readingLabel.SetVisible(true);
}

void MainWindow::WatchSources()
{
    const std::vector<platform::WatchedKey> keys = entries::EntryTable::SourceKeys();
    const std::vector<std::wstring> folders = table_.SourceFolders();
    if (platform_.changeWatch.Watch(keys, folders)) {
        controls_.sourceCheckTimer.SetTimerEnabled(false);
        checkedStamps_.reset();
    } else {
        CheckSourcesFromNowOn();
    }
}

void MainWindow::CheckSourcesFromNowOn()
{
    // Taken before the sources are read: a change from now on shows in the next look.
    checkedStamps_ = entries::ReadSourceStamps(platform_, entries::EntryTable::SourceKeys(),
                                               table_.SourceFolders());
    controls_.sourceCheckTimer.SetTimerEnabled(true);
}

void MainWindow::OnSourceCheckTimer()
{
    entries::SourceStamps now = entries::ReadSourceStamps(
        platform_, entries::EntryTable::SourceKeys(), table_.SourceFolders());
    if (checkedStamps_ && now == *checkedStamps_) {
        return;
    }
    checkedStamps_ = std::move(now);
    OnRegistryChanged();
}

void MainWindow::OnRegistryChanged()
{
    const std::uint64_t now = platform_.clock.Now();
    if (!controls_.refillTimer.TimerEnabled()) {
        changedSince_ = now;
    }
    // Changes that never stop would keep the list as it was for good: after a while of them it
    // is read all the same, and the wait starts again with the next change.
    if (now - changedSince_ >= kLongestUnreadChanges && modalDepth_ == 0) {
        controls_.refillTimer.SetTimerEnabled(false);
        RefillKeepingSelection();
        return;
    }
    RestartRefillTimer();
}

void MainWindow::RestartRefillTimer()
{
    // Every change starts the wait anew, so that a burst of changes is read once, after it.
    controls_.refillTimer.SetTimerEnabled(false);
    controls_.refillTimer.SetTimerEnabled(true);
}

void MainWindow::OnRefillTimer()
{
    controls_.refillTimer.SetTimerEnabled(false);
    if (modalDepth_ > 0) {
        refillDue_ = true;
        return;
    }
    RefillKeepingSelection();
}

void MainWindow::ReportUnreadSources(const std::vector<entries::SourceFailure>& unread)
{
    if (unread == toldSources_) {
        return;
    }
    toldSources_ = unread;
    if (unread.empty()) {
        return;
    }
    std::wstring text = language_.Text(UiText::ListIncomplete);
    for (const entries::SourceFailure& failure : unread) {
        text += L"\r\n\r\n";
        text += ScopeText(language_, failure.scope);
        if (failure.switches) {
            text += language_.Text(UiText::EntriesStateSuffix);
        }
        text += L": ";
        text += platform_.messageBox.ErrorText(failure.error);
    }
    const platform::WindowId owner = windows_.Handle(form_);
    Modally([&] {
        (void)platform_.messageBox.Show(owner, text, language_.Text(UiText::ErrorTitle),
                                        platform::MessageButtons::Ok, platform::MessageIcon::Error);
    });
}

void MainWindow::ReportDetailsFailures(const entries::RefillReport& report)
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
        text += language_.Text(UiText::MoreEntries, {more});
    }
    Modally([&] {
        (void)platform_.messageBox.Show(0, text, L"Tolvan", platform::MessageButtons::Ok,
                                        platform::MessageIcon::None);
    });
}

} // namespace ui
