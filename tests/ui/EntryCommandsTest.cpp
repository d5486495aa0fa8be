// The entry commands of the main window on the headless window system: what New and Edit hand
// the editor, when the list is read back, and what Delete asks and removes.
#include "HeadlessUi.h"
#include "ui/MainWindow.h"

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
    ui::frmTolvan& Open()
    {
        modTolvan::langFlag = 1;
        mainWindow.ShowMainWindow();
        return *mainWindow.instance();
    }

    // Acts as the user in every editor the test opens, and remembers what it showed.
    void InEditor(std::function<void(window::FormModel&)> user)
    {
        windows.modalScript = [this, user = std::move(user)](window::FormModel& editor,
                                                             window::FormModel& owner) {
            EXPECT_EQ(&owner, &mainWindow.instance()->form());
            shownName = editor.control(L"Tname").Caption();
            shownValue = editor.control(L"Tvalue").Caption();
            shownCurrentUser = editor.control(L"optHKEY", 1).Value();
            shownAllUsers = editor.control(L"optHKEY", 0).Value();
            user(editor);
        };
    }
    static void Cancel(window::FormModel& editor) { editor.control(L"ComCancel").RaiseClick(); }
    static void Save(window::FormModel& editor) { editor.control(L"ComOK").RaiseClick(); }

    std::vector<std::wstring> ListedNames()
    {
        std::vector<std::wstring> names;
        names.reserve(modTolvan::entries.size());
        for (const modTolvan::RunEntry& entry : modTolvan::entries) {
            names.push_back(entry.Name);
        }
        return names;
    }

    ui::MainWindow mainWindow{services, windows};
    std::wstring shownName;
    std::wstring shownValue;
    bool shownCurrentUser = false;
    bool shownAllUsers = false;
};

TEST_F(EntryCommands, NewOffersANewEntryForAllUsersAndSavingItAsOfferedWritesIt)
{
    ui::frmTolvan& form = Open();
    InEditor(Save);
    form.ComNew.RaiseClick();
    EXPECT_EQ(shownName, L"new_entry");
    EXPECT_EQ(shownValue, L"");
    EXPECT_TRUE(shownAllUsers);
    EXPECT_FALSE(shownCurrentUser);
    EXPECT_EQ(RunValues(kLocalMachine), (Values{{L"new_entry", L""}}));
    EXPECT_EQ(form.recList.Items().size(), 1u);
}

TEST_F(EntryCommands, ACancelledEditorStillRefreshesTheList)
{
    ui::frmTolvan& form = Open();
    EXPECT_TRUE(form.recList.Items().empty());
    InEditor([this](window::FormModel& editor) {
        PutRunValue(kCurrentUser, L"Added meanwhile", L"x.exe");
        Cancel(editor);
    });
    form.ComNew.RaiseClick();
    EXPECT_EQ(windows.ModalShowings(), 1);
    EXPECT_EQ(ListedNames(), std::vector<std::wstring>{L"Added meanwhile"});
    EXPECT_EQ(form.recList.Items().size(), 1u);
}

TEST_F(EntryCommands, EditOpensTheSelectedEntryAndARenameLeavesOnlyTheNewName)
{
    PutRunValue(kCurrentUser, L"b-tray", L"\"C:\\T\\tray.exe\" -q");
    PutRunValue(kLocalMachine, L"a-agent", L"agent.exe");
    ui::frmTolvan& form = Open();
    ASSERT_EQ(ListedNames(), (std::vector<std::wstring>{L"a-agent", L"b-tray"}));
    form.recList.SetListIndex(1);

    InEditor([](window::FormModel& editor) {
        editor.control(L"Tname").TakeText(L"c-tray");
        Save(editor);
    });
    form.ComEdit.RaiseClick();
    EXPECT_EQ(form.selIndex, 1);
    EXPECT_EQ(shownName, L"b-tray");
    EXPECT_EQ(shownValue, L"\"C:\\T\\tray.exe\" -q");
    EXPECT_TRUE(shownCurrentUser);
    EXPECT_FALSE(shownAllUsers);
    EXPECT_EQ(RunValues(kCurrentUser), (Values{{L"c-tray", L"\"C:\\T\\tray.exe\" -q"}}));
    EXPECT_EQ(ListedNames(), (std::vector<std::wstring>{L"a-agent", L"c-tray"}));
}

TEST_F(EntryCommands, DoubleClickAndEnterEditButOtherKeysDoNot)
{
    PutRunValue(kLocalMachine, L"agent", L"agent.exe");
    ui::frmTolvan& form = Open();
    form.recList.SetListIndex(0);
    InEditor(Cancel);

    form.recList.RaiseKeyPress(32);
    form.recList.RaiseKeyPress(27);
    EXPECT_EQ(windows.ModalShowings(), 0);
    form.recList.RaiseKeyPress(13);
    EXPECT_EQ(windows.ModalShowings(), 1);
    EXPECT_EQ(shownName, L"agent");
    form.recList.RaiseDblClick();
    EXPECT_EQ(windows.ModalShowings(), 2);
    EXPECT_TRUE(shownAllUsers);
}

TEST_F(EntryCommands, DeleteAsksFirstAndACancelChangesAndRefreshesNothing)
{
    PutRunValue(kCurrentUser, L"tray", L"tray.exe");
    ui::frmTolvan& form = Open();
    form.recList.SetListIndex(0);
    PutRunValue(kCurrentUser, L"unseen", L"later.exe");
    const long long callsBefore = registry.CallCount();

    messageBox.answers.push_back(mb::kIdCancel);
    form.ComDel.RaiseClick();
    ASSERT_EQ(messageBox.shown.size(), 1u);
    EXPECT_EQ(messageBox.shown[0].text, L"Are you sure you want to delete this registry entry?");
    EXPECT_EQ(messageBox.shown[0].title, L"Tolvan");
    EXPECT_EQ(messageBox.shown[0].style, mb::kOkCancel | mb::kIconQuestion | mb::kDefaultButton1);
    EXPECT_EQ(messageBox.shown[0].owner, windows.Handle(form.form()));
    EXPECT_NE(messageBox.shown[0].owner, 0u);
    EXPECT_EQ(registry.CallCount(), callsBefore);
    EXPECT_EQ(form.recList.Items().size(), 1u);

    modTolvan::langFlag = 0;
    messageBox.answers.push_back(mb::kIdOk);
    form.ComDel.RaiseClick();
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
    ui::frmTolvan& form = Open();

    form.recList.SetListIndex(1);
    form.ComDel.RaiseClick();
    EXPECT_EQ(ListedNames(), (std::vector<std::wstring>{L"a", L"c", L"d"}));
    EXPECT_EQ(form.recList.ListIndex(), 1);
    EXPECT_EQ(RunValues(kCurrentUser), (Values{{L"d", L"d.exe"}}));

    form.recList.SetListIndex(2);
    form.ComDel.RaiseClick();
    EXPECT_EQ(ListedNames(), (std::vector<std::wstring>{L"a", L"c"}));
    EXPECT_EQ(form.recList.ListIndex(), 1);
    EXPECT_EQ(RunValues(kCurrentUser), Values{});
}

TEST_F(EntryCommands, AfterTheOnlyEntryIsDeletedEditAndDeleteDoNothing)
{
    PutRunValue(kLocalMachine, L"only", L"only.exe");
    ui::frmTolvan& form = Open();
    form.recList.SetListIndex(0);
    form.ComDel.RaiseClick();
    EXPECT_TRUE(form.recList.Items().empty());
    EXPECT_EQ(form.recList.ListIndex(), -1);
    EXPECT_EQ(RunValues(kLocalMachine), Values{});

    const long long callsBefore = registry.CallCount();
    InEditor(Cancel);
    form.ComEdit.RaiseClick();
    form.ComDel.RaiseClick();
    form.recList.RaiseKeyPress(13);
    EXPECT_EQ(windows.ModalShowings(), 0);
    EXPECT_EQ(messageBox.shown.size(), 1u);
    EXPECT_EQ(registry.CallCount(), callsBefore);
}

TEST_F(EntryCommands, AFailedDeletionIsNotReportedAndTheEntryStaysListed)
{
    PutRunValue(kLocalMachine, L"kept", L"kept.exe");
    ui::frmTolvan& form = Open();
    form.recList.SetListIndex(0);
    registry.FailCall(RegistryCall::DeleteValue, 1, reg::kAccessDenied);
    form.ComDel.RaiseClick();
    EXPECT_EQ(messageBox.shown.size(), 1u); // the question only
    EXPECT_EQ(ListedNames(), std::vector<std::wstring>{L"kept"});
}

TEST_F(EntryCommands, CloseEndsTheWindowWithoutAQuestion)
{
    PutRunValue(kLocalMachine, L"listed", L"listed.exe");
    ui::frmTolvan& form = Open();
    form.ComExit.RaiseClick();
    EXPECT_FALSE(form.form().Loaded());
    EXPECT_TRUE(messageBox.shown.empty());
}

} // namespace
} // namespace tolvan::test
