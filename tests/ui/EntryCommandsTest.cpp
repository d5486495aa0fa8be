// The entry commands of the main window on the headless window system: what New and Edit hand
// the editor, when the list is read back, and what Delete asks and removes.
#include "HeadlessUi.h"
#include "ui/layouts/EntryEditorLayout.h"

#include <functional>

namespace tolvan::test {
namespace {

using namespace platform;
using platform::portable::RegistryCall;
using platform::reg::kCurrentUser;
using platform::reg::kLocalMachine;
using Values = std::map<std::wstring, std::wstring>;

class EntryCommands : public HeadlessUi {
protected:
    // Acts as the user in every editor the test opens, and remembers what it showed.
    void InEditor(std::function<void(const ui::EntryEditorControls&)> user)
    {
        windows.modalScript = [this, user = std::move(user)](window::FormModel& editor,
                                                             window::FormModel& owner) {
            EXPECT_EQ(&owner, &mainWindow.Form());
            const ui::EntryEditorControls controls(editor);
            shownName = controls.nameBox.Caption();
            shownValue = controls.valueBox.Caption();
            shownCurrentUser = controls.currentUserOption.Checked();
            shownAllUsers = controls.allUsersOption.Checked();
            user(controls);
        };
    }
    static void Cancel(const ui::EntryEditorControls& editor) { editor.cancelButton.RaiseClick(); }
    static void Save(const ui::EntryEditorControls& editor) { editor.saveButton.RaiseClick(); }

    const ui::MainWindowControls& c = mainWindow.Controls();
    std::wstring shownName;
    std::wstring shownValue;
    bool shownCurrentUser = false;
    bool shownAllUsers = false;
};

TEST_F(EntryCommands, NewOffersANewEntryForAllUsersAndSavingItAsOfferedWritesIt)
{
    Open();
    InEditor(Save);
    c.newButton.RaiseClick();
    EXPECT_EQ(shownName, L"new_entry");
    EXPECT_EQ(shownValue, L"");
    EXPECT_TRUE(shownAllUsers);
    EXPECT_FALSE(shownCurrentUser);
    EXPECT_EQ(RunValues(kLocalMachine), (Values{{L"new_entry", L""}}));
    EXPECT_EQ(c.entryList.Items().size(), 1u);
}

TEST_F(EntryCommands, ACancelledEditorStillRefillsTheList)
{
    Open();
    EXPECT_TRUE(c.entryList.Items().empty());
    InEditor([this](const ui::EntryEditorControls& editor) {
        PutRunValue(kCurrentUser, L"Added meanwhile", L"x.exe");
        Cancel(editor);
    });
    c.newButton.RaiseClick();
    EXPECT_EQ(windows.ModalShowings(), 1);
    EXPECT_EQ(ListedNames(), std::vector<std::wstring>{L"Added meanwhile"});
    EXPECT_EQ(c.entryList.Items().size(), 1u);
}

TEST_F(EntryCommands, EditOpensTheSelectedEntryAndARenameLeavesOnlyTheNewName)
{
    PutRunValue(kCurrentUser, L"b-tray", L"\"C:\\T\\tray.exe\" -q");
    PutRunValue(kLocalMachine, L"a-agent", L"agent.exe");
    Open();
    ASSERT_EQ(ListedNames(), (std::vector<std::wstring>{L"a-agent", L"b-tray"}));
    c.entryList.SetSelectedIndex(1);

    InEditor([](const ui::EntryEditorControls& editor) {
        editor.nameBox.TakeText(L"c-tray");
        Save(editor);
    });
    c.editButton.RaiseClick();
    EXPECT_EQ(shownName, L"b-tray");
    EXPECT_EQ(shownValue, L"\"C:\\T\\tray.exe\" -q");
    EXPECT_TRUE(shownCurrentUser);
    EXPECT_FALSE(shownAllUsers);
    EXPECT_EQ(RunValues(kCurrentUser), (Values{{L"c-tray", L"\"C:\\T\\tray.exe\" -q"}}));
    EXPECT_EQ(ListedNames(), (std::vector<std::wstring>{L"a-agent", L"c-tray"}));
}

// A name that holds a NUL is shown with a mark for the NUL and said to be hidden; an unchanged
// name is saved as the value's own, and Delete removes that value alone.
TEST_F(EntryCommands, AHiddenNameIsShownMarkedAndChangedAlone)
{
    const std::wstring hidden(L"Evil\0hidd", 9);
    PutRunValue(kCurrentUser, L"Evil", L"evil.exe");
    PutRunValue(kCurrentUser, hidden, L"hidden.exe");
    Open();
    EXPECT_EQ(std::ranges::count(c.entryList.Items(), L"Evil\u2400hidd;  ()"), 1);
    SelectListed(hidden);
    EXPECT_EQ(c.nameField.Caption(), L"Evil\u2400hidd");
    EXPECT_EQ(c.scopeLabel.Caption(), L"Scope: Current user, hidden name");
    mainWindow.ApplyLanguage(ui::Language::Hungarian);
    EXPECT_EQ(c.scopeLabel.Caption(), L"Hatáskör: Jelenlegi felhasználó, rejtett név");

    InEditor([](const ui::EntryEditorControls& editor) {
        editor.valueBox.TakeText(L"changed.exe");
        Save(editor);
    });
    c.editButton.RaiseClick();
    EXPECT_EQ(shownName, L"Evil\u2400hidd");
    EXPECT_EQ(RunValues(kCurrentUser), (Values{{L"Evil", L"evil.exe"}, {hidden, L"changed.exe"}}));
    SelectListed(hidden);
    messageBox.answers.push_back(MessageAnswer::Ok);
    c.deleteButton.RaiseClick();
    EXPECT_EQ(RunValues(kCurrentUser), (Values{{L"Evil", L"evil.exe"}}));
}

TEST_F(EntryCommands, DoubleClickAndEnterEdit)
{
    PutRunValue(kLocalMachine, L"agent", L"agent.exe");
    Open();
    c.entryList.SetSelectedIndex(0);
    InEditor(Cancel);

    c.entryList.RaiseEnter();
    EXPECT_EQ(windows.ModalShowings(), 1);
    EXPECT_EQ(shownName, L"agent");
    c.entryList.RaiseDoubleClick();
    EXPECT_EQ(windows.ModalShowings(), 2);
    EXPECT_TRUE(shownAllUsers);
}

TEST_F(EntryCommands, DeleteAsksFirstAndACancelChangesAndRefillsNothing)
{
    PutRunValue(kCurrentUser, L"tray", L"tray.exe");
    Open();
    c.entryList.SetSelectedIndex(0);
    PutRunValue(kCurrentUser, L"unseen", L"later.exe");
    const long long callsBefore = registry.CallCount();

    messageBox.answers.push_back(MessageAnswer::Cancel);
    c.deleteButton.RaiseClick();
    ASSERT_EQ(messageBox.shown.size(), 1u);
    EXPECT_EQ(messageBox.shown[0].text, L"Are you sure you want to delete this registry entry?");
    EXPECT_EQ(messageBox.shown[0].title, L"Tolvan");
    EXPECT_EQ(messageBox.shown[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(messageBox.shown[0].icon, MessageIcon::Question);
    EXPECT_EQ(messageBox.shown[0].owner, windows.Handle(mainWindow.Form()));
    EXPECT_NE(messageBox.shown[0].owner, 0u);
    EXPECT_EQ(registry.CallCount(), callsBefore);
    EXPECT_EQ(c.entryList.Items().size(), 1u);

    mainWindow.ApplyLanguage(ui::Language::Hungarian);
    messageBox.answers.push_back(MessageAnswer::Ok);
    c.deleteButton.RaiseClick();
    ASSERT_EQ(messageBox.shown.size(), 2u);
    EXPECT_EQ(messageBox.shown[1].text, L"Biztos hogy törölni szeretné ezt a registry bejegyzést?");
    EXPECT_EQ(RunValues(kCurrentUser), (Values{{L"unseen", L"later.exe"}}));
    EXPECT_EQ(ListedNames(), std::vector<std::wstring>{L"unseen"});
}

TEST_F(EntryCommands, DeleteSelectsTheFollowingItemOrTheNewLastOne)
{
    PutRunValue(kLocalMachine, L"a", L"a.exe");
    PutRunValue(kCurrentUser, L"b", L"b.exe");
    PutRunValue(kLocalMachine, L"c", L"c.exe");
    PutRunValue(kCurrentUser, L"d", L"d.exe");
    Open();

    c.entryList.SetSelectedIndex(1);
    c.deleteButton.RaiseClick();
    EXPECT_EQ(ListedNames(), (std::vector<std::wstring>{L"a", L"c", L"d"}));
    EXPECT_EQ(c.entryList.SelectedIndex(), 1);
    EXPECT_EQ(RunValues(kCurrentUser), (Values{{L"d", L"d.exe"}}));

    c.entryList.SetSelectedIndex(2);
    c.deleteButton.RaiseClick();
    EXPECT_EQ(ListedNames(), (std::vector<std::wstring>{L"a", L"c"}));
    EXPECT_EQ(c.entryList.SelectedIndex(), 1);
    EXPECT_EQ(RunValues(kCurrentUser), Values{});
}

TEST_F(EntryCommands, AfterTheOnlyEntryIsDeletedEditAndDeleteDoNothing)
{
    PutRunValue(kLocalMachine, L"only", L"only.exe");
    Open();
    c.entryList.SetSelectedIndex(0);
    c.deleteButton.RaiseClick();
    EXPECT_TRUE(c.entryList.Items().empty());
    EXPECT_EQ(c.entryList.SelectedIndex(), -1);
    EXPECT_EQ(RunValues(kLocalMachine), Values{});

    const long long callsBefore = registry.CallCount();
    InEditor(Cancel);
    c.editButton.RaiseClick();
    c.deleteButton.RaiseClick();
    c.entryList.RaiseEnter();
    EXPECT_EQ(windows.ModalShowings(), 0);
    EXPECT_EQ(messageBox.shown.size(), 1u);
    EXPECT_EQ(registry.CallCount(), callsBefore);
}

TEST_F(EntryCommands, AFailedDeletionIsReportedAndTheEntryStaysListed)
{
    PutRunValue(kLocalMachine, L"kept", L"kept.exe");
    Open();
    c.entryList.SetSelectedIndex(0);
    for (const auto& [speaking, administrator, title, text] :
         {std::tuple{ui::Language::English, true, L"Error",
                     L"Can't delete registry entry.\r\nAccess is denied. (5)"},
          std::tuple{ui::Language::Hungarian, false, L"Hiba",
                     L"Nem törölhető a registry bejegyzés.\r\nAccess is denied. (5)\r\n"
                     L"Próbálja meg a programot rendszergazdaként futtatni."}}) {
        shell.isAdministrator = administrator;
        mainWindow.ApplyLanguage(speaking);
        messageBox.shown.clear();
        registry.FailCall(RegistryCall::DeleteValue, 1, reg::kAccessDenied);
        c.deleteButton.RaiseClick();
        ASSERT_EQ(messageBox.shown.size(), 2u); // the question, then the error
        EXPECT_EQ(messageBox.shown[1].text, text);
        EXPECT_EQ(messageBox.shown[1].title, title);
        EXPECT_EQ(messageBox.shown[1].buttons, MessageButtons::Ok);
        EXPECT_EQ(messageBox.shown[1].icon, MessageIcon::Error);
        EXPECT_EQ(messageBox.shown[1].owner, windows.Handle(mainWindow.Form()));
        EXPECT_EQ(ListedNames(), std::vector<std::wstring>{L"kept"});
    }
}

TEST_F(EntryCommands, AnEntryAlreadyGoneIsDeletedWithoutAnError)
{
    PutRunValue(kLocalMachine, L"gone", L"gone.exe");
    PutRunValue(kLocalMachine, L"stays", L"stays.exe");
    Open();
    c.entryList.SetSelectedIndex(0);
    RemoveRunValue(kLocalMachine, L"gone"); // by another program, while the list still shows it
    c.deleteButton.RaiseClick();
    EXPECT_EQ(messageBox.shown.size(), 1u); // the question only
    EXPECT_EQ(ListedNames(), std::vector<std::wstring>{L"stays"});
}

// More entries than a 16-bit index can count: the last one is selected, edited and deleted like
// any other.
TEST_F(EntryCommands, TheLastOfThirtyThreeThousandEntriesCanBeEditedAndDeleted)
{
    constexpr int kCount = 33000;
    const auto nameOf = [](int k) {
        std::wstring digits = std::to_wstring(k);
        return L"entry " + std::wstring(5 - digits.size(), L'0') + digits;
    };
    for (int k = 0; k < kCount; ++k) {
        PutRunValue(kLocalMachine, nameOf(k), L"C:\\Many\\" + std::to_wstring(k) + L".exe");
    }
    Open();
    ASSERT_EQ(c.entryList.Items().size(), static_cast<std::size_t>(kCount));
    const std::wstring last = nameOf(kCount - 1);
    c.entryList.SetSelectedIndex(kCount - 1);
    EXPECT_EQ(c.nameField.Caption(), last);

    InEditor(Cancel);
    c.editButton.RaiseClick();
    EXPECT_EQ(shownName, last);
    EXPECT_EQ(shownValue, L"C:\\Many\\" + std::to_wstring(kCount - 1) + L".exe");
    ListAllRows();

    c.deleteButton.RaiseClick();
    ListAllRows();
    const auto values = RunValues(kLocalMachine);
    EXPECT_EQ(values.size(), static_cast<std::size_t>(kCount - 1));
    EXPECT_EQ(values.count(last), 0u);
    EXPECT_EQ(values.count(nameOf(kCount - 2)), 1u);
    EXPECT_EQ(c.entryList.SelectedIndex(), kCount - 2);
}

TEST_F(EntryCommands, CloseEndsTheWindowWithoutAQuestion)
{
    PutRunValue(kLocalMachine, L"listed", L"listed.exe");
    Open();
    c.closeButton.RaiseClick();
    EXPECT_FALSE(mainWindow.Form().Loaded());
    EXPECT_TRUE(messageBox.shown.empty());
}

} // namespace
} // namespace tolvan::test
