#pragma once

#include "InterfaceLanguage.h"
#include "entries/EntryChanges.h"
#include "entries/Scope.h"
#include "layouts/EntryEditorLayout.h"
#include "platform/Platform.h"
#include "platform/window/WindowSystem.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ui {

// What the editor opens with: an entry as it is stored, or the proposal for a new one.
struct EntryDraft {
    std::wstring name;
    std::wstring command;
    entries::Scope scope = entries::Scope::AllUsers;
    // The stored value's type, kept when the entry is saved; a new entry's type follows from
    // its command.
    std::uint32_t valueType = platform::reg::kTypeSz;
    // A shortcut in a Startup folder: its full path. Empty for a Run entry.
    std::wstring filePath{};
    // A Run entry's value data as it was read: Save asks before it writes over anything else.
    std::vector<std::byte> valueData{};
};

// The entry editor: a modal dialog in which an entry's name, command and scope are changed. It
// asks and shows; EntryChanges makes the change. It closes itself when the user saves or
// cancels, and stays open when the user would rather not replace another entry of the name.
class EntryEditor {
public:
    EntryEditor(platform::Platform& platform, platform::window::WindowSystem& windows,
                const InterfaceLanguage& language);

    [[nodiscard]] platform::window::FormModel& Form() noexcept { return form_; }
    [[nodiscard]] const EntryEditorControls& Controls() const noexcept { return controls_; }

    // Shows the dialog over its owner, filled with the proposal; Save adds the entry. Returns once
    // the dialog has closed.
    void ShowForNewEntry(platform::window::FormModel& owner, EntryDraft proposal);
    // Likewise for the entry stored as `stored`: Save replaces it, and a renamed or moved entry
    // leaves no value behind under its old name and scope. Before Save takes the name of another
    // entry, the user is asked whether that one is to be replaced.
    void ShowForEntry(platform::window::FormModel& owner, EntryDraft stored);

private:
    void Show(platform::window::FormModel& owner, EntryDraft draft, bool isNew);
    void OnLoad();
    void OnScopeChosen(entries::Scope scope);
    void OnAddPathClicked();
    void OnSaveClicked();
    void OnCancelClicked();
    // Adds the entry, or changes the one the dialog opened with, as the user left it.
    [[nodiscard]] entries::ChangeResult Save(const entries::EntryTarget& target,
                                             entries::WhenNameTaken whenTaken);
    // The entry the dialog opened with, as it was stored then.
    [[nodiscard]] entries::StartupEntry StoredEntry() const;
    // Whether the user wants the entry saved although another program changed or removed it
    // since it was read.
    [[nodiscard]] bool ConfirmOverwrite();
    // Whether the user wants the other entry of the target's name replaced.
    [[nodiscard]] bool ConfirmReplace(const entries::EntryTarget& target);

    // The folder "Add file path..." opens in: the command's folder, or the root of the drive
    // the tool runs from.
    [[nodiscard]] std::wstring StartingFolder() const;

    platform::Platform& platform_;
    platform::window::WindowSystem& windows_;
    const InterfaceLanguage& language_;
    platform::window::FormModel form_;
    EntryEditorControls controls_;
    entries::EntryChanges changes_;

    // The entry as the dialog opened with it.
    EntryDraft original_;
    bool isNew_ = false;
    // The name and command as the boxes showed them (a box shows a text only up to a NUL).
    std::wstring shownName_;
    std::wstring shownCommand_;
    // The scope the option buttons last chose; none until one is chosen.
    std::optional<entries::Scope> chosenScope_;
};

} // namespace ui
