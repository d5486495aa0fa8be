// Expandable commands and the 32-bit programs' Run key through the main window and the editor:
// what the panel shows, and that every command keeps an entry's type and view.
#include "MainWindowFixture.h"
#include "ui/layouts/EntryEditorLayout.h"

#include <functional>

namespace tolvan::test {
namespace {

using entries::Scope;
using platform::portable::RegistryCall;
using platform::reg::kTypeExpandSz;
using platform::reg::kTypeSz;
using Stored = std::map<std::wstring, StoredCommand>;

class ExpandableAnd32BitEntries : public MainWindowFixture {
protected:
    void SetUp() override
    {
        environment.Set(L"TOLVAN_DRIVE", L"F:");
        PutRunValue(Scope::CurrentUser, L"Health", L"%tolvan_drive%\\full.exe /tray",
                    kTypeExpandSz);
        PutRunValue(Scope::AllUsers, L"Old", L"F:\\gone.exe", kTypeSz);
        PutRunValue(Scope::AllUsers32Bit, L"Old", L"F:\\product_only.exe", kTypeSz);
        Open();
    }

    // Edits the entry with `user` acting in the editor.
    void Edit(std::wstring_view name, Scope scope,
              std::function<void(const ui::EntryEditorControls&)> user)
    {
        SelectListed(name, scope);
        windows.modalScript = [user = std::move(user)](platform::window::FormModel& editor,
                                                       platform::window::FormModel&) {
            user(ui::EntryEditorControls(editor));
        };
        c.editButton.RaiseClick();
    }

    const ui::MainWindowControls& c = mainWindow.Controls();
};

TEST_F(ExpandableAnd32BitEntries, ThePanelShowsTheStoredCommandTheExpandedProgramAndTheScope)
{
    EXPECT_EQ(table.Count(), 3u);
    SelectListed(L"Health", Scope::CurrentUser);
    EXPECT_EQ(c.valueField.Caption(), L"%tolvan_drive%\\full.exe /tray");
    EXPECT_EQ(c.programPathField.Caption(), L"F:\\full.exe");
    EXPECT_EQ(c.descriptionLabel.Caption(), L"Startup entry manager");
    EXPECT_EQ(c.scopeLabel.Caption(), L"Scope: Current user");

    SelectListed(L"Old", Scope::AllUsers32Bit);
    EXPECT_EQ(c.programPathField.Caption(), L"F:\\product_only.exe");
    EXPECT_EQ(c.scopeLabel.Caption(), L"Scope: All users (32-bit)");
    mainWindow.ApplyLanguage(ui::Language::Hungarian);
    EXPECT_EQ(c.scopeLabel.Caption(), L"Hatáskör: Összes felhasználó (32 bites)");
}

TEST_F(ExpandableAnd32BitEntries, EditsKeepTheTypeAndA32BitEntryItsViewUntilItMovesToTheUser)
{
    Edit(L"Old", Scope::AllUsers32Bit, [](const ui::EntryEditorControls& editor) {
        EXPECT_EQ(editor.allUsersOption.Caption(), L"All users (32-bit)");
        EXPECT_TRUE(editor.allUsersOption.Checked());
        editor.nameBox.TakeText(L"Older");
        editor.allUsersOption.RaiseClick();
        editor.saveButton.RaiseClick();
    });
    EXPECT_EQ(RunValues(Scope::AllUsers32Bit), (Stored{{L"Older", {L"F:\\product_only.exe"}}}));
    EXPECT_EQ(RunValues(Scope::AllUsers), (Stored{{L"Old", {L"F:\\gone.exe"}}}));

    Edit(L"Health", Scope::CurrentUser, [](const ui::EntryEditorControls& editor) {
        EXPECT_EQ(editor.allUsersOption.Caption(), L"All users");
        editor.allUsersOption.TakeChecked(true);
        editor.allUsersOption.RaiseClick();
        editor.valueBox.TakeText(L"%TOLVAN_DRIVE%\\full.exe");
        editor.saveButton.RaiseClick();
    });
    EXPECT_EQ(RunValues(Scope::CurrentUser), Stored{});
    EXPECT_EQ(RunValues(Scope::AllUsers),
              (Stored{{L"Old", {L"F:\\gone.exe"}},
                      {L"Health", {L"%TOLVAN_DRIVE%\\full.exe", kTypeExpandSz}}}));

    Edit(L"Older", Scope::AllUsers32Bit, [](const ui::EntryEditorControls& editor) {
        editor.currentUserOption.TakeChecked(true);
        editor.currentUserOption.RaiseClick();
        editor.saveButton.RaiseClick();
    });
    EXPECT_EQ(RunValues(Scope::AllUsers32Bit), Stored{});
    EXPECT_EQ(RunValues(Scope::CurrentUser), (Stored{{L"Older", {L"F:\\product_only.exe"}}}));
    EXPECT_TRUE(messageBox.shown.empty());
}

TEST_F(ExpandableAnd32BitEntries, AFailedMovePutsTheOldValueBackInItsViewWithItsType)
{
    registry.FailCall(RegistryCall::SetValue, 1, platform::reg::kAccessDenied);
    Edit(L"Health", Scope::CurrentUser, [](const ui::EntryEditorControls& editor) {
        editor.allUsersOption.TakeChecked(true);
        editor.allUsersOption.RaiseClick();
        editor.saveButton.RaiseClick();
    });
    registry.FailCall(RegistryCall::SetValue, 1, platform::reg::kAccessDenied);
    Edit(L"Old", Scope::AllUsers32Bit, [](const ui::EntryEditorControls& editor) {
        editor.nameBox.TakeText(L"Older");
        editor.saveButton.RaiseClick();
    });
    EXPECT_EQ(messageBox.shown.size(), 2u);
    EXPECT_EQ(RunValues(Scope::CurrentUser),
              (Stored{{L"Health", {L"%tolvan_drive%\\full.exe /tray", kTypeExpandSz}}}));
    EXPECT_EQ(RunValues(Scope::AllUsers), (Stored{{L"Old", {L"F:\\gone.exe"}}}));
    EXPECT_EQ(RunValues(Scope::AllUsers32Bit), (Stored{{L"Old", {L"F:\\product_only.exe"}}}));
}

TEST_F(ExpandableAnd32BitEntries, DeleteRemovesTheValueFromItsOwnView)
{
    SelectListed(L"Old", Scope::AllUsers32Bit);
    messageBox.answers.push_back(platform::MessageAnswer::Ok);
    c.deleteButton.RaiseClick();
    EXPECT_EQ(RunValues(Scope::AllUsers32Bit), Stored{});
    EXPECT_EQ(RunValues(Scope::AllUsers), (Stored{{L"Old", {L"F:\\gone.exe"}}}));
    EXPECT_EQ(table.Count(), 2u);
}

// Windows expands a new entry at logon only when it names a variable that is defined.
TEST_F(ExpandableAnd32BitEntries, ANewEntryIsExpandableOnlyWhenItNamesADefinedVariable)
{
    const auto add = [this](std::wstring_view name, std::wstring_view command) {
        windows.modalScript = [&](const platform::window::FormModel& editor,
                                  const platform::window::FormModel&) {
            const ui::EntryEditorControls controls(editor);
            controls.nameBox.TakeText(std::wstring(name));
            controls.valueBox.TakeText(std::wstring(command));
            controls.saveButton.RaiseClick();
        };
        c.newButton.RaiseClick();
    };
    add(L"defined", L"\"%Tolvan_Drive%\\a b\\x.exe\" -q");
    add(L"undefined", L"%TOLVAN_NOT_SET%\\y.exe");
    add(L"plain", L"C:\\100%\\z.exe");
    const Stored stored = RunValues(Scope::AllUsers);
    ASSERT_EQ(stored.size(), 4u);
    EXPECT_EQ(stored.at(L"defined").type, kTypeExpandSz);
    EXPECT_EQ(stored.at(L"defined").text, L"\"%Tolvan_Drive%\\a b\\x.exe\" -q");
    EXPECT_EQ(stored.at(L"undefined").type, kTypeSz);
    EXPECT_EQ(stored.at(L"plain").type, kTypeSz);
}

} // namespace
} // namespace tolvan::test
