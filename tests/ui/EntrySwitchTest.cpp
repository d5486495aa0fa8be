// Switching entries off and on from the main window, and the switch following its entry through
// Delete, rename, move and New: what is stored, what the window shows, and what it tells when
// Windows refuses.
#include "HeadlessUi.h"
#include "entries/EntrySwitches.h"
#include "ui/layouts/EntryEditorLayout.h"

#include <array>
#include <functional>

namespace tolvan::test {
namespace {

using entries::Scope;
using platform::reg::kCurrentUser;
using platform::reg::kLocalMachine;
using ui::Language;

// 2026-12-09 14:05:00 UTC as a FILETIME, and its bytes as stored.
constexpr std::uint64_t kMoment = 134412987000000000ull;
constexpr std::array<std::uint8_t, 8> kMomentBytes{0x00, 0x8E, 0x55, 0x47, 0xE6, 0x87, 0xDD, 0x01};

// A switch as Task Manager stores it: the first byte, three zeros and the moment or zeros.
std::vector<std::byte> Switch(int first, bool stamped)
{
    std::vector<std::byte> bytes(12);
    bytes[0] = static_cast<std::byte>(first);
    for (std::size_t k = 0; stamped && k < kMomentBytes.size(); ++k) {
        bytes[4 + k] = static_cast<std::byte>(kMomentBytes[k]);
    }
    return bytes;
}

class EntrySwitch : public HeadlessUi {
protected:
    void PutSwitch(Scope scope, const platform::NulTerminated& name,
                   const std::vector<std::byte>& bytes)
    {
        ASSERT_EQ(registry::WriteBinary(registry, entries::SwitchKeyOf(scope), name, bytes), 0);
    }
    // The stored switch; empty when there is none.
    std::vector<std::byte> StoredSwitch(Scope scope, const platform::NulTerminated& name)
    {
        std::uint32_t type = 0;
        std::vector<std::byte> data;
        if (registry::ReadValue(registry, entries::SwitchKeyOf(scope), name, type, data) != 0) {
            return {};
        }
        EXPECT_EQ(type, platform::reg::kTypeBinary);
        return data;
    }
    // Lets `user` act in the editor the next command opens.
    void InEditor(std::function<void(const ui::EntryEditorControls&)> user)
    {
        windows.modalScript = [user = std::move(user)](platform::window::FormModel& editor,
                                                       platform::window::FormModel&) {
            user(ui::EntryEditorControls(editor));
        };
    }

    void SetUp() override { clock.now = kMoment; }

    const ui::MainWindowControls& c = mainWindow.Controls();
};

TEST_F(EntrySwitch, TheButtonFlipsTheSelectedEntryAndTheWindowShowsTheState)
{
    PutRunValue(kLocalMachine, L"b-tray", L"C:\\T\\tray.exe");
    PutRunValue(kLocalMachine, L"a-agent", L"C:\\A\\agent.exe");
    PutSwitch(Scope::AllUsers, L"a-agent", Switch(0x06, false));
    Open(Language::English);
    EXPECT_FALSE(c.switchButton.Enabled());
    EXPECT_EQ(c.switchButton.Caption(), L"Disable");
    SelectListed(L"b-tray");
    EXPECT_TRUE(c.switchButton.Enabled());
    EXPECT_EQ(c.scopeLabel.Caption(), L"Scope: All users");

    EXPECT_FALSE(c.entryList.ItemDimmed(1));
    c.switchButton.RaiseClick();
    EXPECT_EQ(StoredSwitch(Scope::AllUsers, L"b-tray"), Switch(0x03, true));
    EXPECT_EQ(c.entryList.SelectedIndex(), 1);
    EXPECT_TRUE(c.entryList.ItemDimmed(1));
    EXPECT_FALSE(c.entryList.ItemDimmed(0));
    EXPECT_EQ(c.scopeLabel.Caption(), L"Scope: All users, disabled since 2026-12-09 14:05");
    EXPECT_EQ(c.switchButton.Caption(), L"Enable");
    mainWindow.ApplyLanguage(Language::Hungarian);
    EXPECT_EQ(c.scopeLabel.Caption(),
              L"Hatáskör: Összes felhasználó, letiltva 2026-12-09 14:05 óta");
    EXPECT_EQ(c.switchButton.Caption(), L"Engedélyez");

    c.switchButton.RaiseClick();
    EXPECT_EQ(StoredSwitch(Scope::AllUsers, L"b-tray"), Switch(0x02, false));
    EXPECT_FALSE(c.entryList.ItemDimmed(1));
    EXPECT_EQ(c.scopeLabel.Caption(), L"Hatáskör: Összes felhasználó");
    EXPECT_EQ(c.switchButton.Caption(), L"Letilt");

    // Task Manager's other variant is kept.
    SelectListed(L"a-agent");
    c.switchButton.RaiseClick();
    EXPECT_EQ(StoredSwitch(Scope::AllUsers, L"a-agent"), Switch(0x07, true));
    EXPECT_TRUE(messageBox.shown.empty());
}

TEST_F(EntrySwitch, ASwitchWrittenByOthersIsReadFromTheEntrysOwnKey)
{
    PutRunValue(Scope::AllUsers32Bit, L"old", L"C:\\x86\\old.exe", platform::reg::kTypeSz);
    PutRunValue(kLocalMachine, L"old", L"C:\\x64\\old.exe");
    PutRunValue(kCurrentUser, L"user", L"C:\\U\\user.exe");
    PutSwitch(Scope::AllUsers32Bit, L"old", Switch(0x03, true));
    PutSwitch(Scope::CurrentUser, L"USER", Switch(0x07, false));
    Open(Language::English);

    ASSERT_EQ(table.Count(), 3u);
    EXPECT_EQ(table.Entries()[0].scope, Scope::AllUsers);
    EXPECT_FALSE(table.Entries()[0].switchedOff);
    EXPECT_TRUE(table.Entries()[1].switchedOff);
    EXPECT_EQ(table.Entries()[1].switchedOffSince, kMoment);
    c.entryList.SetSelectedIndex(1);
    EXPECT_EQ(c.scopeLabel.Caption(),
              L"Scope: All users (32-bit), disabled since 2026-12-09 14:05");
    SelectListed(L"user");
    EXPECT_EQ(c.scopeLabel.Caption(), L"Scope: Current user, disabled");
    EXPECT_EQ(c.switchButton.Caption(), L"Enable");
}

TEST_F(EntrySwitch, DeleteRenameMoveAndNewTakeTheSwitchAlong)
{
    PutRunValue(kCurrentUser, L"tray", L"C:\\T\\tray.exe");
    PutRunValue(kCurrentUser, L"gone", L"C:\\G\\gone.exe");
    PutSwitch(Scope::CurrentUser, L"tray", Switch(0x03, true));
    PutSwitch(Scope::CurrentUser, L"gone", Switch(0x03, true));
    PutSwitch(Scope::AllUsers, L"new_entry", Switch(0x03, false)); // left over by Task Manager
    Open();

    SelectListed(L"gone");
    messageBox.answers.push_back(platform::MessageAnswer::Ok);
    c.deleteButton.RaiseClick();
    EXPECT_TRUE(StoredSwitch(Scope::CurrentUser, L"gone").empty());

    SelectListed(L"tray");
    InEditor([](const ui::EntryEditorControls& editor) {
        editor.nameBox.TakeText(L"tray 2");
        editor.allUsersOption.TakeChecked(true);
        editor.allUsersOption.RaiseClick();
        editor.saveButton.RaiseClick();
    });
    c.editButton.RaiseClick();
    EXPECT_TRUE(StoredSwitch(Scope::CurrentUser, L"tray").empty());
    EXPECT_EQ(StoredSwitch(Scope::AllUsers, L"tray 2"), Switch(0x03, true));
    EXPECT_TRUE(table.Entries()[0].switchedOff);

    InEditor([](const ui::EntryEditorControls& editor) { editor.saveButton.RaiseClick(); });
    c.newButton.RaiseClick();
    EXPECT_TRUE(StoredSwitch(Scope::AllUsers, L"new_entry").empty());
    EXPECT_EQ(messageBox.shown.size(), 1u); // Delete's question, and no refusal
}

// A change whose switch cannot be written is not made at all, but for a delete, which leaves the
// switch behind; the user is told.
TEST_F(EntrySwitch, ARefusedSwitchKeyIsReportedAndTheEntryLeftAsItWas)
{
    PutRunValue(kCurrentUser, L"tray", L"C:\\T\\tray.exe");
    PutRunValue(kCurrentUser, L"gone", L"C:\\G\\gone.exe");
    registry.DenyAccess(kCurrentUser, entries::kRunSwitchesKeyPath);
    Open();
    c.readingTimer.RaiseTimer(); // the unreadable switches are told

    SelectListed(L"tray");
    c.switchButton.RaiseClick();
    SelectListed(L"tray");
    InEditor([](const ui::EntryEditorControls& editor) {
        editor.nameBox.TakeText(L"tray 2");
        editor.saveButton.RaiseClick();
    });
    c.editButton.RaiseClick();
    SelectListed(L"gone");
    messageBox.answers.push_back(platform::MessageAnswer::Ok);
    c.deleteButton.RaiseClick();

    EXPECT_EQ(RunValues(kCurrentUser),
              (std::map<std::wstring, std::wstring>{{L"tray", L"C:\\T\\tray.exe"}}));
    const std::wstring refused =
        L"Can't change the entry's on/off switch.\r\nAccess is denied. (5)";
    // The unreadable switches, told once, then three refusals and Delete's question.
    ASSERT_EQ(messageBox.shown.size(), 5u);
    EXPECT_NE(messageBox.shown[0].text.find(L"Current user, the entries' state: Access is denied."),
              std::wstring::npos);
    EXPECT_EQ(messageBox.shown[1].text, refused);
    EXPECT_EQ(messageBox.shown[1].owner, windows.Handle(mainWindow.Form()));
    EXPECT_EQ(messageBox.shown[2].text, refused);
    EXPECT_EQ(messageBox.shown[4].text,
              L"The entry was deleted, but its on/off switch could not be "
              L"removed.\r\nAccess is denied. (5)");
}

} // namespace
} // namespace tolvan::test
