// The list following the registry by itself: a change another program makes is read once the
// watched keys have been quiet for the refresh timer's interval, keeping the selected entry and
// the scroll position; a modal window of the tool holds the refill back until it closes; F5
// refills by hand.
#include "MainWindowFixture.h"
#include "entries/EntrySwitches.h"

namespace tolvan::test {
namespace {

using platform::reg::kCurrentUser;
using platform::reg::kLocalMachine;

class ListFollowsRegistry : public MainWindowFixture {
protected:
    void SetUp() override
    {
        PutRunValue(kLocalMachine, L"Bravo", L"F:\\no_version.exe /b");
        PutRunValue(kLocalMachine, L"Delta", L"F:\\no_version.exe /d");
        PutRunValue(kCurrentUser, L"Foxtrot", L"F:\\no_version.exe /f");
        Open();
    }

    // The quiet period ends: the refresh timer, which every change starts again, ticks.
    void QuietPeriodEnds()
    {
        ASSERT_TRUE(c.refillTimer.TimerEnabled()) << "no change was waiting to be read";
        c.refillTimer.RaiseTimer();
    }

    std::wstring SelectedName() const
    {
        const entries::StartupEntry* entry =
            table.EntryAt(static_cast<std::size_t>(c.entryList.SelectedIndex()));
        return entry != nullptr ? entry->name : L"";
    }

    const ui::MainWindowControls& c = mainWindow.Controls();
};

TEST_F(ListFollowsRegistry, EveryKeyTheListIsReadFromIsWatchedAgainAtEachRefill)
{
    std::vector<std::pair<platform::RootKey, std::wstring>> watched;
    for (const platform::WatchedKey& key : changeWatch.watched) {
        watched.emplace_back(key.root, key.subKey);
    }
    // The policy and RunOnce keys too: an installer's RunOnce value shows and goes live.
    for (const entries::Scope scope : entries::kRegistryScopes) {
        for (const registry::KeyPath& key :
             {entries::RunKeyOf(scope), entries::SwitchKeyOf(scope)}) {
            if (key.subKey.View().empty()) {
                continue; // no switches
            }
            EXPECT_NE(std::find(watched.begin(), watched.end(),
                                std::pair(key.root, std::wstring(key.subKey))),
                      watched.end())
                << ToUtf8(key.subKey);
        }
    }
    const int armed = changeWatch.watchCalls;
    mainWindow.RefillList();
    EXPECT_EQ(changeWatch.watchCalls, armed + 1);
}

// Where the watch cannot follow, or stops following, the window looks at the keys' write times
// every two seconds, and a change there is read as a told one would be.
TEST_F(ListFollowsRegistry, AWatchThatCannotFollowIsReplacedByLookingEveryTwoSeconds)
{
    EXPECT_FALSE(c.sourceCheckTimer.TimerEnabled());
    EXPECT_EQ(c.sourceCheckTimer.Interval(), 2000);
    changeWatch.refuses = true;
    mainWindow.RefillList();
    ListAllRows();
    ASSERT_TRUE(c.sourceCheckTimer.TimerEnabled());
    c.sourceCheckTimer.RaiseTimer();
    EXPECT_FALSE(c.refillTimer.TimerEnabled()) << "nothing changed";
    PutRunValue(kCurrentUser, L"Alpha", L"F:\\no_version.exe");
    c.sourceCheckTimer.RaiseTimer();
    QuietPeriodEnds();
    ListAllRows();
    EXPECT_EQ(ListedNames().front(), L"Alpha");

    // Watched again at the next refill; then the watch is lost, and the window reads the list
    // again, in case a change went untold, and looks for changes itself from then on.
    changeWatch.refuses = false;
    mainWindow.RefillList();
    ListAllRows();
    EXPECT_FALSE(c.sourceCheckTimer.TimerEnabled());
    changeWatch.Lose();
    EXPECT_TRUE(c.sourceCheckTimer.TimerEnabled());
    QuietPeriodEnds();
    ListAllRows();
    RemoveRunValue(kCurrentUser, L"Alpha");
    c.sourceCheckTimer.RaiseTimer();
    QuietPeriodEnds();
    ListAllRows();
    EXPECT_EQ(ListedNames().front(), L"Bravo");
}

TEST_F(ListFollowsRegistry, ABurstOfChangesIsOneRefillThatKeepsTheSelectedEntry)
{
    SelectListed(L"Delta");
    const std::size_t refills = mainWindow.Refills();
    // An installer writes three values, each told as it is written; two sort before Delta.
    for (const wchar_t* name : {L"Alpha", L"Charlie", L"Echo"}) {
        PutRunValue(kLocalMachine, name, L"F:\\no_version.exe");
        changeWatch.Change();
    }
    EXPECT_EQ(mainWindow.Refills(), refills) << "read before the keys were quiet";
    QuietPeriodEnds();
    EXPECT_EQ(mainWindow.Refills(), refills + 1);
    EXPECT_FALSE(c.refillTimer.TimerEnabled());
    EXPECT_EQ(ListedNames(), (std::vector<std::wstring>{L"Alpha", L"Bravo", L"Charlie", L"Delta",
                                                        L"Echo", L"Foxtrot"}));
    EXPECT_EQ(SelectedName(), L"Delta");
    EXPECT_EQ(c.nameField.Caption(), L"Delta");
    EXPECT_EQ(c.valueField.Caption(), L"F:\\no_version.exe /d");
}

// A value written every 150 ms never lets the keys be quiet: the list is read every two seconds
// all the same.
TEST_F(ListFollowsRegistry, ChangesThatNeverStopAreReadEveryTwoSeconds)
{
    const std::size_t refills = mainWindow.Refills();
    std::vector<std::size_t> readAfter; // changes
    for (int change = 1; change <= 30; ++change) {
        clock.now += 1'500'000; // 150 ms
        changeWatch.Change();
        if (mainWindow.Refills() != refills + readAfter.size()) {
            readAfter.push_back(static_cast<std::size_t>(change));
        }
    }
    // The first change starts the wait; the first one a second after it has the list read.
    EXPECT_EQ(readAfter, (std::vector<std::size_t>{8, 16, 24}));
}

TEST_F(ListFollowsRegistry, AVanishedSelectedEntryGivesWayToTheOneInItsPlace)
{
    SelectListed(L"Delta");
    RemoveRunValue(kLocalMachine, L"Delta");
    changeWatch.Change();
    QuietPeriodEnds();
    EXPECT_EQ(SelectedName(), L"Foxtrot");
    EXPECT_EQ(c.nameField.Caption(), L"Foxtrot");

    // The last entry gone: the new last one.
    RemoveRunValue(kCurrentUser, L"Foxtrot");
    changeWatch.Change();
    QuietPeriodEnds();
    EXPECT_EQ(SelectedName(), L"Bravo");
}

TEST_F(ListFollowsRegistry, TheScrollPositionIsKept)
{
    for (int k = 0; k < 40; ++k) {
        PutRunValue(kCurrentUser, L"Golf " + std::to_wstring(100 + k), L"F:\\no_version.exe");
    }
    changeWatch.Change();
    QuietPeriodEnds();
    c.entryList.SetTopIndex(12);
    PutRunValue(kCurrentUser, L"Zulu", L"F:\\no_version.exe");
    changeWatch.Change();
    QuietPeriodEnds();
    EXPECT_EQ(c.entryList.TopIndex(), 12);
}

TEST_F(ListFollowsRegistry, RefillsWaitWhileAMessageBoxOrTheEditorIsOpen)
{
    SelectListed(L"Bravo");
    const std::size_t refills = mainWindow.Refills();
    // Delete asks first; while the question is open another program adds an entry.
    messageBox.answers = {platform::MessageAnswer::Cancel};
    messageBox.whileShown = [&] {
        PutRunValue(kLocalMachine, L"Alpha", L"F:\\no_version.exe");
        changeWatch.Change();
        QuietPeriodEnds();
        EXPECT_EQ(mainWindow.Refills(), refills);
    };
    c.deleteButton.RaiseClick();
    messageBox.whileShown = nullptr;
    ASSERT_EQ(messageBox.shown.size(), 1u);
    EXPECT_EQ(mainWindow.Refills(), refills) << "refilled before the quiet period after the box";
    QuietPeriodEnds();
    EXPECT_EQ(mainWindow.Refills(), refills + 1);
    EXPECT_EQ(ListedNames().front(), L"Alpha");
    EXPECT_EQ(SelectedName(), L"Bravo");
    // A second box with nothing changed meanwhile leaves no refill waiting.
    messageBox.answers = {platform::MessageAnswer::Cancel};
    c.deleteButton.RaiseClick();
    EXPECT_FALSE(c.refillTimer.TimerEnabled());

    // In the editor: the change waits, and the refill the editor's closing makes reads it; no
    // second refill follows.
    windows.modalScript = [&](platform::window::FormModel& editor, platform::window::FormModel&) {
        PutRunValue(kLocalMachine, L"Charlie", L"F:\\no_version.exe");
        changeWatch.Change();
        QuietPeriodEnds();
        EXPECT_EQ(mainWindow.Refills(), refills + 1);
        windows.Unload(editor);
    };
    c.editButton.RaiseClick();
    EXPECT_EQ(mainWindow.Refills(), refills + 2);
    EXPECT_FALSE(c.refillTimer.TimerEnabled());
    EXPECT_EQ(ListedNames()[2], L"Charlie");
}

TEST_F(ListFollowsRegistry, RefillKeyRefillsAndDeleteKeyDeletes)
{
    SelectListed(L"Foxtrot");
    PutRunValue(kCurrentUser, L"Alpha", L"F:\\no_version.exe");
    const std::size_t refills = mainWindow.Refills();
    mainWindow.Form().RaiseRefillKey();
    EXPECT_EQ(mainWindow.Refills(), refills + 1);
    EXPECT_EQ(ListedNames().front(), L"Alpha");
    EXPECT_EQ(SelectedName(), L"Foxtrot");

    c.entryList.RaiseDeleteKey();
    ASSERT_EQ(messageBox.shown.size(), 1u);
    EXPECT_EQ(messageBox.shown[0].buttons, platform::MessageButtons::OkCancel);
    EXPECT_EQ(RunValues(kCurrentUser).count(L"Foxtrot"), 0u);
}

TEST_F(ListFollowsRegistry, AClosedWindowWatchesNothing)
{
    c.closeButton.RaiseClick();
    EXPECT_TRUE(changeWatch.watched.empty());
    EXPECT_FALSE(changeWatch.onChange);
}

} // namespace
} // namespace tolvan::test
