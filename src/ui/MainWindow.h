#pragma once

#include "EntryEditor.h"
#include "InterfaceLanguage.h"
#include "entries/EntryTable.h"
#include "entries/SourceStamps.h"
#include "layouts/MainWindowLayout.h"
#include "platform/Platform.h"
#include "platform/window/WindowSystem.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>

namespace ui {

// The main window: the list of startup entries, the details of the selected one, the entry
// commands, the language flags and the about strip. It shows the entry table it is given and
// refills it after every change. A refill is made off the window's thread; the list shows the
// last snapshot taken until the next one is ready, so that its rows always stand for the entries
// of one snapshot.
class MainWindow {
public:
    MainWindow(platform::Platform& platform, platform::window::WindowSystem& windows,
               InterfaceLanguage& language, entries::EntryTable& table);

    [[nodiscard]] platform::window::FormModel& Form() noexcept { return form_; }
    [[nodiscard]] const MainWindowControls& Controls() const noexcept { return controls_; }

    // Shows the window modeless, loading it first.
    void Show();

    // Switches the interface language and captions the window in it.
    void ApplyLanguage(ui::Language language);

    // Refills the entry table from the registry and the folders, and the list from the table once
    // the refill is made, selecting the same position again (the last item when the list got
    // shorter).
    void RefillList();
    // Refills as RefillList does, but keeps the selected entry (the same scope and name)
    // selected when it is still listed, and the list scrolled as it was. For refills nobody in
    // the window asked for: another program changed the registry, or F5.
    void RefillKeepingSelection();
    // How many times a refill of the list was started.
    [[nodiscard]] std::size_t Refills() const noexcept { return refills_; }
    // The entries the list shows, row by row.
    [[nodiscard]] const entries::EntrySnapshot& Listed() const noexcept { return *listed_; }

    // What is lit under the mouse.
    enum class HoverTarget : std::uint8_t { None, EnglishFlag, HungarianFlag, HomePage };
    [[nodiscard]] HoverTarget Hover() const noexcept { return hover_; }

private:
    void BindEvents();
    void OnLoad();
    void OnUnload();
    void OnEntrySelected();
    // The scope line and the switch button's caption, in the current language.
    void ShowScope();
    // The signature line, in the current language.
    void ShowSignature(const entries::StartupEntry& entry);
    // Watches the sources of the entries; where the watch cannot follow them all, looks for
    // changes itself every two seconds until a later Watch succeeds.
    void WatchSources();
    void CheckSourcesFromNowOn();
    void OnSourceCheckTimer();
    // Tells which sources could not be read, once: again only when that changes, or after F5.
    void ReportUnreadSources(const std::vector<entries::SourceFailure>& unread);
    void ReportDetailsFailures(const entries::RefillReport& report);
    // Starts a refill; what is selected once it is taken: the same entry (else the same
    // position), or the same position; and whether the list keeps its scroll position.
    enum class Reselect : std::uint8_t { Position, Entry, EntryAndScroll };
    void Refill(Reselect reselect);
    // Takes the table's finished refill into the list; false while it is not finished.
    bool TakeRefill();
    // Adds the snapshot's next rows to the list, for a while, selecting the row the refill asks
    // for once it is in; once all are, scrolls as it asks and tells what failed.
    void ListMoreRows();
    void FinishListing();
    void OnReadingTimer();
    // Whether the list lacks texts that are still being read: the timer waits for them.
    [[nodiscard]] bool AwaitingTexts() const;
    void ShowReadingProgress();
    // The entry the list has selected; none when nothing is.
    [[nodiscard]] const entries::StartupEntry* SelectedEntry() const noexcept;

    // Hovering over the flags and the home-page link, and clicking them.
    void ResetHover();
    void EnterHover(HoverTarget target);
    void OnMouseOverSurface();
    void OnHoverTimer();
    void OnFlagClicked(ui::Language language);
    void OnHomePageClicked();

    // The entry commands.
    void OnNewClicked();
    void OnEditClicked();
    void OnDeleteClicked();
    void DeleteSelectedEntry(); // asks first
    void OnSwitchClicked();
    // Selects the entry of this key, when the list still holds it; false when it does not.
    bool SelectEntry(const entries::EntryKey& key);
    void OnCloseClicked();
    // The list's context menu and what its items do that the buttons do not.
    void OnContextMenu(const platform::window::Control::ContextMenuRequest& request);
    void OpenFileLocation();
    void ShowFileProperties();
    void ShowSignatureDetails();
    void CopyCommand();
    // Saves what the list shows to a file the user chooses (the menu's Save list, Ctrl+S).
    void SaveList();
    // The one editor of the window, made on first use.
    EntryEditor& Editor();

    // Following the registry: a change to a watched key starts (or starts again) the refresh
    // timer, and the list is refilled once the keys have been quiet for its interval.
    void OnRegistryChanged();
    void OnRefillTimer();
    void RestartRefillTimer();
    // Runs the action, which opens a modal window of the tool (a message box, the editor, a
    // menu); a refill that falls due meanwhile waits until the last such window is closed.
    template <typename Action> void Modally(Action&& action);

    // A refill ready within this long fills the list before the window first shows, and shows no
    // progress while the window waits for it.
    static constexpr std::chrono::milliseconds kQuickRefill{330};
    // Changes that keep coming are read at least this often (in FILETIME steps: one second), so
    // that what they wrote shows within two seconds even while the list is slow to read.
    static constexpr std::uint64_t kLongestUnreadChanges = 10'000'000ULL;

    platform::Platform& platform_;
    platform::window::WindowSystem& windows_;
    InterfaceLanguage& language_;
    entries::EntryTable& table_;
    // The snapshot the list shows: its rows are this snapshot's entries, in order.
    std::shared_ptr<const entries::EntrySnapshot> listed_;
    platform::window::FormModel form_;
    MainWindowControls controls_;
    std::unique_ptr<EntryEditor> editor_;
    // What the scope line and the switch button say of the entry the details panel shows; none
    // until the first selection.
    struct ShownState {
        entries::Scope scope = entries::Scope::CurrentUser;
        bool switchedOff = false;
        std::uint64_t switchedOffSince = 0;
        bool switchUnreadable = false;
        bool hiddenName = false; // the value's name holds a NUL
    };
    std::optional<ShownState> shown_;
    HoverTarget hover_ = HoverTarget::None;
    int modalDepth_ = 0;
    bool refillDue_ = false;         // waits for the modal windows to close
    std::uint64_t changedSince_ = 0; // the first change the list has not read yet
    std::size_t refills_ = 0;
    // The sources the user was last told could not be read; told again only when they change.
    std::vector<entries::SourceFailure> toldSources_;
    bool unreadToTell_ = false; // at the reading timer's next turn
    // When the sources were last looked at, while the watch cannot follow them.
    std::optional<entries::SourceStamps> checkedStamps_;
    Reselect reselect_ = Reselect::Position; // once the refill under way is taken
    int readingTicks_ = 0;                   // since the refill under way started
    std::size_t rowsListed_ = 0;             // of the snapshot listed, the list's rows so far
    // Selected once the list has that many rows, and scrolled to once it has them all.
    std::optional<std::size_t> rowToSelect_;
    std::optional<std::ptrdiff_t> topToKeep_;
};

template <typename Action> void MainWindow::Modally(Action&& action)
{
    ++modalDepth_;
    try {
        std::forward<Action>(action)();
    } catch (...) {
        --modalDepth_;
        throw;
    }
    --modalDepth_;
    if (modalDepth_ == 0 && refillDue_) {
        RestartRefillTimer();
    }
}

} // namespace ui
