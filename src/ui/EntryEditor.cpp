#include "EntryEditor.h"

#include "ErrorBox.h"
#include "FileChooser.h"
#include "RunningProgram.h"
#include "entries/CommandLine.h"
#include "entries/StartupApproval.h"
#include "entries/StartupFolderEntries.h"
#include "entries/TextTrim.h"
#include "registry/RegistryValues.h"

#include <new>

namespace ui {

using entries::Scope;
namespace reg = platform::reg;

namespace {

// The scopes the two options stand for. An entry of the 32-bit programs' view stays in that view
// for as long as it is for all users; a file of a Startup folder moves between the two folders.
Scope AllUsersScopeFor(Scope scope) noexcept
{
    if (scope == Scope::AllUsers32Bit) {
        return scope;
    }
    return entries::IsFolderScope(scope) ? Scope::AllUsersStartupFolder : Scope::AllUsers;
}

Scope CurrentUserScopeFor(Scope scope) noexcept
{
    return entries::IsFolderScope(scope) ? Scope::CurrentUserStartupFolder : Scope::CurrentUser;
}

} // namespace

EntryEditor::EntryEditor(platform::Platform& platform, platform::window::WindowSystem& windows,
                         const InterfaceLanguage& language)
    : platform_(platform), windows_(windows), language_(language), form_(EntryEditorLayout()),
      controls_(form_)
{
    form_.onLoad = [this] { OnLoad(); };
    controls_.allUsersOption.onClick = [this] { OnScopeChosen(AllUsersScopeFor(original_.scope)); };
    controls_.currentUserOption.onClick = [this] {
        OnScopeChosen(CurrentUserScopeFor(original_.scope));
    };
    controls_.addPathButton.onClick = [this] { OnAddPathClicked(); };
    controls_.saveButton.onClick = [this] { OnSaveClicked(); };
    controls_.cancelButton.onClick = [this] { OnCancelClicked(); };
}

void EntryEditor::ShowForNewEntry(platform::window::FormModel& owner, EntryDraft proposal)
{
    Show(owner, std::move(proposal), true);
}

void EntryEditor::ShowForEntry(platform::window::FormModel& owner, EntryDraft stored)
{
    Show(owner, std::move(stored), false);
}

void EntryEditor::Show(platform::window::FormModel& owner, EntryDraft draft, bool isNew)
{
    original_ = std::move(draft);
    isNew_ = isNew;
    windows_.ShowModal(form_, owner);
}

void EntryEditor::OnLoad()
{
    const InterfaceLanguage& text = language_;
    const EntryEditorControls& c = controls_;
    form_.SetCaption(text.Text(L"Szerkesztés", L"Editing"));
    c.addPathButton.SetCaption(text.Text(L"Fájl elérési út hozzáadása...", L"Add file path..."));
    c.scopeLabel.SetCaption(text.Text(L"Hatáskör:", L"Range:"));
    c.allUsersOption.SetCaption(
        original_.scope == Scope::AllUsers32Bit
            ? text.Text(L"Összes felhasználó (32 bites)", L"All users (32-bit)")
            : text.Text(L"Összes felhasználó", L"All users"));
    c.currentUserOption.SetCaption(text.Text(L"Jelenlegi felhasználó", L"Current user"));
    c.nameLabel.SetCaption(text.Text(L"Név:", L"Name:"));
    c.valueLabel.SetCaption(text.Text(L"Érték:", L"Value:"));
    c.nameHintLabel.SetCaption(text.Text(L"(a név bármi lehet, csak legyen egyedi)",
                                         L"(the name can be anything, just be unique)"));
    c.saveButton.SetCaption(text.Text(L"Mentés", L"Save"));
    c.cancelButton.SetCaption(text.Text(L"Mégse", L"Cancel"));

    // Checking the option chooses its scope; a scope left over from the last showing must never
    // be saved to.
    chosenScope_.reset();
    (entries::IsUserScope(original_.scope) ? c.currentUserOption : c.allUsersOption)
        .SetChecked(true);

    c.nameBox.SetCaption(original_.name);
    c.valueBox.SetCaption(original_.command);
}

void EntryEditor::OnScopeChosen(Scope scope)
{
    chosenScope_ = scope;
}

std::wstring EntryEditor::StartingFolder() const
{
    // The command as it was when the dialog opened, not what the box holds now.
    if (entries::TrimSpaces(original_.command).empty()) {
        return RunningProgramPath(platform_.versions).substr(0, 3);
    }
    std::wstring_view command = original_.command;
    if (command.front() == L'"') {
        command.remove_prefix(1);
    }
    const std::size_t lastBackslash = command.rfind(L'\\');
    if (lastBackslash == std::wstring_view::npos) {
        return {};
    }
    return std::wstring(command.substr(0, lastBackslash + 1));
}

void EntryEditor::OnAddPathClicked()
{
    const platform::FileFilter allFiles{language_.Text(L"Minden fájl", L"All Files"), L"*.*"};
    if (const std::optional<std::wstring> chosen = ChooseFile(
            platform_.fileDialogs, windows_.Handle(form_),
            language_.Text(L"Válassz egy fájl-t", L"Select a file"), allFiles, StartingFolder())) {
        controls_.valueBox.SetCaption(*chosen);
    }
}

std::uint32_t EntryEditor::TypeToSave(std::wstring_view command) const
{
    if (!isNew_) {
        return original_.valueType;
    }
    return platform_.environment.Expand(command) != command ? reg::kTypeExpandSz : reg::kTypeSz;
}

platform::RegResult EntryEditor::SaveEntry(std::wstring_view name, std::wstring_view command)
{
    platform::Registry& registry = platform_.registry;
    const registry::KeyPath oldKey = entries::RunKeyOf(original_.scope);
    std::uint32_t type = reg::kTypeSz;
    try {
        type = TypeToSave(command);
    } catch (const std::bad_alloc&) {
        return reg::kNotEnoughMemory;
    }
    platform::RegResult outcome = reg::kSuccess;
    bool oldValueRemoved = false;
    // Compared as typed: a change of letter case alone is a new name.
    if (!isNew_ && (name != original_.name || chosenScope_ != original_.scope)) {
        outcome = registry::DeleteValue(registry, oldKey, original_.name);
        oldValueRemoved = outcome == reg::kSuccess;
    }
    if (outcome != reg::kSuccess) {
        return outcome;
    }
    outcome = chosenScope_ ? registry::WriteString(registry, entries::RunKeyOf(*chosenScope_), name,
                                                   command, type)
                           : registry::kNoRoot;
    if (outcome != reg::kSuccess && oldValueRemoved) {
        // A failed move or rename must not cost the user the entry: put the old value back as it
        // was, in its own view and with its own type. Should that fail too, the message the
        // caller shows is all that can be said.
        (void)registry::WriteString(registry, oldKey, original_.name, original_.command,
                                    original_.valueType);
    }
    return outcome;
}

platform::RegResult EntryEditor::CarrySwitch(std::wstring_view name)
{
    if (!chosenScope_) {
        return reg::kSuccess;
    }
    if (isNew_) {
        return entries::RemoveApproval(platform_.registry, *chosenScope_, name);
    }
    if (name == original_.name && *chosenScope_ == original_.scope) {
        return reg::kSuccess;
    }
    return entries::MoveApproval(platform_.registry, original_.scope, original_.name, *chosenScope_,
                                 name);
}

std::uint32_t EntryEditor::SaveShortcut(std::wstring_view name, std::wstring_view command)
{
    platform::StartupFolders& folders = platform_.startupFolders;
    const Scope scope = chosenScope_.value_or(original_.scope);
    const std::optional<std::wstring> folder = folders.PathOf(entries::FolderOf(scope));
    const std::optional<platform::Shortcut> before = folders.ReadShortcut(original_.filePath);
    if (!folder || !before) {
        return reg::kFileNotFound;
    }
    // The file keeps its extension as it is spelled.
    const std::wstring_view oldPath = original_.filePath;
    const std::size_t nameStart = oldPath.find_last_of(L'\\') + 1;
    const std::wstring_view oldFileName = oldPath.substr(nameStart);
    const std::wstring newFileName =
        std::wstring(name) + std::wstring(oldFileName.substr(original_.name.size()));
    const std::wstring newPath = *folder + L"\\" + newFileName;

    const bool retarget = command != original_.command;
    if (retarget) {
        const entries::CommandParts parts = entries::SplitCommand(command, platform_.files);
        if (const std::uint32_t written = folders.WriteShortcut(
                oldPath, platform::Shortcut{parts.programPath, parts.arguments})) {
            return written;
        }
    }
    // Compared as typed: a change of letter case alone renames the file.
    const bool moved = newPath != oldPath;
    std::uint32_t outcome = moved ? folders.MoveFileTo(oldPath, newPath) : 0;
    if (outcome == 0 && moved) {
        outcome = static_cast<std::uint32_t>(entries::MoveApproval(
            platform_.registry, original_.scope, oldFileName, scope, newFileName));
        if (outcome != 0) {
            (void)folders.MoveFileTo(newPath, oldPath);
        }
    }
    if (outcome != 0 && retarget) {
        (void)folders.WriteShortcut(oldPath, *before);
    }
    return outcome;
}

void EntryEditor::OnSaveClicked()
{
    const std::wstring name = controls_.nameBox.Caption();
    const std::wstring command = controls_.valueBox.Caption();
    if (!original_.filePath.empty()) {
        if (SaveShortcut(name, command) != 0) {
            ShowCannotModifyBox(platform_.messageBox, windows_.Handle(form_), language_);
        }
        windows_.Unload(form_);
        return;
    }
    // The entry's on/off switch follows the saved entry; should that fail, the entry is saved all
    // the same and the user is told.
    if (SaveEntry(name, command) != reg::kSuccess || CarrySwitch(name) != reg::kSuccess) {
        ShowCannotModifyBox(platform_.messageBox, windows_.Handle(form_), language_);
    }
    windows_.Unload(form_);
}

void EntryEditor::OnCancelClicked()
{
    windows_.Unload(form_);
}

} // namespace ui
