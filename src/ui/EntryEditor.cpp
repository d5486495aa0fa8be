#include "EntryEditor.h"

#include "ChangeFailureBox.h"
#include "FileChooser.h"
#include "RunningProgram.h"
#include "ScopeText.h"
#include "entries/HiddenName.h"
#include "entries/TextTrim.h"

namespace ui {

using entries::Scope;

namespace {

// The scopes the two options stand for. An entry of the 32-bit programs' view stays in that view
// for as long as it is for all users; a file of a Startup folder moves between the two folders;
// an entry of a policy or RunOnce key stays in its key.
Scope AllUsersScopeFor(Scope scope) noexcept
{
    if (scope == Scope::AllUsers32Bit || !entries::CanMoveOut(scope)) {
        return scope;
    }
    return entries::IsFolderScope(scope) ? Scope::AllUsersStartupFolder : Scope::AllUsers;
}

Scope CurrentUserScopeFor(Scope scope) noexcept
{
    if (!entries::CanMoveOut(scope)) {
        return scope;
    }
    return entries::IsFolderScope(scope) ? Scope::CurrentUserStartupFolder : Scope::CurrentUser;
}

} // namespace

EntryEditor::EntryEditor(platform::Platform& platform, platform::window::WindowSystem& windows,
                         const InterfaceLanguage& language)
    : platform_(platform), windows_(windows), language_(language), form_(EntryEditorLayout()),
      controls_(form_), changes_(platform)
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
    form_.SetCaption(text.Text(UiText::EditorTitle));
    c.addPathButton.SetCaption(text.Text(UiText::AddFilePath));
    c.scopeLabel.SetCaption(text.Text(UiText::RangeLabel));
    c.allUsersOption.SetCaption(original_.scope == Scope::AllUsers32Bit
                                    ? text.Text(UiText::AllUsers32Bit)
                                    : text.Text(UiText::AllUsers));
    c.currentUserOption.SetCaption(text.Text(UiText::CurrentUser));
    // An entry that stays in its key is offered that key alone, named by its kind.
    const bool forUser = entries::IsUserScope(original_.scope);
    const bool movable = entries::CanMoveOut(original_.scope);
    if (!movable) {
        (forUser ? c.currentUserOption : c.allUsersOption)
            .SetCaption(ScopeText(text, original_.scope));
    }
    c.allUsersOption.SetEnabled(movable || !forUser);
    c.currentUserOption.SetEnabled(movable || forUser);
    c.nameLabel.SetCaption(text.Text(UiText::NameLabel));
    c.valueLabel.SetCaption(text.Text(UiText::ValueLabel));
    c.nameHintLabel.SetCaption(text.Text(UiText::NameHint));
    c.saveButton.SetCaption(text.Text(UiText::SaveButton));
    c.cancelButton.SetCaption(text.Text(UiText::CancelButton));

    // Checking the option chooses its scope; a scope left over from the last showing must never
    // be saved to.
    chosenScope_.reset();
    (forUser ? c.currentUserOption : c.allUsersOption).SetChecked(true);

    c.nameBox.SetCaption(entries::ShownName(original_.name));
    c.valueBox.SetCaption(original_.command);
    shownName_ = c.nameBox.Caption();
    shownCommand_ = c.valueBox.Caption();
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
    const platform::FileFilter allFiles{language_.Text(UiText::AllFiles), L"*.*"};
    if (const std::optional<std::wstring> chosen =
            ChooseFile(platform_.fileDialogs, windows_.Handle(form_),
                       language_.Text(UiText::SelectFile), allFiles, StartingFolder())) {
        controls_.valueBox.SetCaption(*chosen);
    }
}

entries::ChangeResult EntryEditor::Save(const entries::EntryTarget& target,
                                        entries::WhenNameTaken whenTaken)
{
    if (isNew_) {
        return changes_.Create(target, whenTaken);
    }
    return changes_.Update(StoredEntry(), target, whenTaken);
}

entries::StartupEntry EntryEditor::StoredEntry() const
{
    entries::StartupEntry stored;
    stored.scope = original_.scope;
    stored.name = original_.name;
    stored.command = original_.command;
    stored.valueType = original_.valueType;
    stored.filePath = original_.filePath;
    stored.valueData = original_.valueData;
    return stored;
}

bool EntryEditor::ConfirmOverwrite()
{
    return platform_.messageBox.Show(
               windows_.Handle(form_), language_.Text(UiText::ChangedMeanwhileQuestion), L"Tolvan",
               platform::MessageButtons::YesNoDefaultNo,
               platform::MessageIcon::Warning) == platform::MessageAnswer::Yes;
}

bool EntryEditor::ConfirmReplace(const entries::EntryTarget& target)
{
    const std::wstring name = entries::ShownName(target.name);
    const std::wstring scope = ScopeText(language_, target.scope);
    const std::wstring question = language_.Text(UiText::ReplaceQuestion, {name, scope});
    return platform_.messageBox.Show(windows_.Handle(form_), question, L"Tolvan",
                                     platform::MessageButtons::YesNoDefaultNo,
                                     platform::MessageIcon::Warning) ==
           platform::MessageAnswer::Yes;
}

void EntryEditor::OnSaveClicked()
{
    const std::wstring typedName = controls_.nameBox.Caption();
    const std::wstring command = controls_.valueBox.Caption();
    const Scope scope = chosenScope_.value_or(original_.scope); // stays without a choice
    // The box shows a NUL of the name as a mark; a name left as shown is the value's own,
    // counted name, not one spelled with the mark.
    const bool nameKept = !isNew_ && typedName == shownName_;
    const std::wstring name = nameKept ? original_.name : typedName;
    const entries::EntryTarget target{name, command, scope};
    if (!isNew_) {
        // Nothing to write: whatever another program stored meanwhile stays, and a text the
        // box could not show whole is not cut short.
        if (nameKept && command == shownCommand_ && scope == original_.scope) {
            windows_.Unload(form_);
            return;
        }
        // No keeps the dialog open with the user's changes, to copy or to cancel.
        if (!changes_.StillAsRead(StoredEntry()) && !ConfirmOverwrite()) {
            return;
        }
    }
    entries::ChangeResult result = Save(target, entries::WhenNameTaken::Refuse);
    if (result.failed == entries::ChangeResult::Failed::NameTaken) {
        if (!ConfirmReplace(target)) {
            // Nothing was written; the user may choose another name, or cancel.
            return;
        }
        result = Save(target, entries::WhenNameTaken::Replace);
    }
    if (!result.Succeeded()) {
        ShowChangeFailure(platform_, windows_.Handle(form_), language_, result,
                          UiText::CannotModify);
    }
    windows_.Unload(form_);
}

void EntryEditor::OnCancelClicked()
{
    windows_.Unload(form_);
}

} // namespace ui
