#pragma once

#include "EntryEditor.h"
#include "InterfaceLanguage.h"
#include "entries/EntryTable.h"
#include "layouts/MainWindowLayout.h"
#include "platform/Platform.h"
#include "platform/window/WindowSystem.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>

namespace ui {

// The main window: the list of startup entries, the details of the selected one, the entry
// commands, the language flags and the about strip. It shows the entry table it is given and
// rebuilds it after every change.
class MainWindow {
public:
    MainWindow(platform::Platform& platform, platform::window::WindowSystem& windows,
               InterfaceLanguage& language, entries::EntryTable& table);

    [[nodiscard]] platform::window::FormModel& Form() noexcept { return form_; }
    [[nodiscard]] const MainWindowControls& Controls() const noexcept { return controls_; }

    // Shows the window modeless, loading it first.
    void Show();

    // Switches the interface language and captions the window in it.
    void ApplyLanguage(registry::Language language);

    // Rebuilds the entry table from the registry and the list from the table, selecting the same
    // position again (the last item when the list got shorter).
    void RefreshList();
    // Rebuilds as RefreshList does, but keeps the selected entry (the same scope and name)
    // selected when it is still listed, and the list scrolled as it was. For refills nobody in
    // the window asked for: another program changed the registry, or F5.
    void RefreshKeepingSelection();
    // How many times the list was rebuilt from the registry.
    [[nodiscard]] std::size_t Refills() const noexcept { return refills_; }

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
    void ReportDetailsFailures(const entries::RebuildReport& report);
    // The entry the list has selected; none when nothing is.
    [[nodiscard]] const entries::StartupEntry* SelectedEntry() const noexcept;

    // Hovering over the flags and the home-page link, and clicking them.
    void ResetHover();
    void EnterHover(HoverTarget target);
    void OnMouseOverSurface();
    void OnHoverTimer();
    void OnFlagClicked(registry::Language language);
    void OnHomePageClicked();

    // The entry commands.
    void OnNewClicked();
    void OnEditClicked();
    void OnDeleteClicked();
    void DeleteSelectedEntry(); // asks first
    void OnToggleClicked();
    // Selects the entry of this scope and name, when the list still holds it.
    void SelectEntry(entries::Scope scope, std::wstring_view name);
    void OnCloseClicked();
    // The list's context menu and what its items do that the buttons do not.
    void OnContextMenu(const platform::window::Control::ContextMenuRequest& request);
    void OpenFileLocation();
    void ShowFileProperties();
    void CopyCommand();
    // The one editor of the window, made on first use.
    EntryEditor& Editor();

    // Following the registry: a change to a watched key starts (or starts again) the refresh
    // timer, and the list is refilled once the keys have been quiet for its interval.
    void OnRegistryChanged();
    void OnRefreshTimer();
    void RestartRefreshTimer();
    // Runs the action, which opens a modal window of the tool (a message box, the editor, a
    // menu); a refill that falls due meanwhile waits until the last such window is closed.
    template <typename Action> void Modally(Action&& action);

    platform::Platform& platform_;
    platform::window::WindowSystem& windows_;
    InterfaceLanguage& language_;
    entries::EntryTable& table_;
    platform::window::FormModel form_;
    MainWindowControls controls_;
    std::unique_ptr<EntryEditor> editor_;
    // What the scope line and the switch button say of the entry the details panel shows; none
    // until the first selection.
    struct ShownState {
        entries::Scope scope = entries::Scope::CurrentUser;
        bool disabled = false;
        std::uint64_t disabledSince = 0;
    };
    std::optional<ShownState> shown_;
    HoverTarget hover_ = HoverTarget::None;
    int modalDepth_ = 0;
    bool refillDue_ = false; // waits for the modal windows to close
    std::size_t refills_ = 0;
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
        RestartRefreshTimer();
    }
}

} // namespace ui
