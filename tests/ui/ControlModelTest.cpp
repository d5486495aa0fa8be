// The control model and the headless window system: what the behaviour code relies on when it
// changes controls and when windows come and go.
#include "platform/window/FormModel.h"
#include "portable/HeadlessWindowSystem.h"
#include "ui/layouts/EntryEditorLayout.h"
#include "ui/layouts/MainWindowLayout.h"

#include <gtest/gtest.h>
#include <optional>
#include <span>
#include <stdexcept>
#include <vector>

namespace tolvan::test {
namespace {

using namespace platform::window;

class RecordingObserver final : public FormObserver {
public:
    void ControlChanged(Control& control, Property property) override
    {
        changes.emplace_back(control.Layout().name, property);
    }
    void CaptionChanged(FormModel&) override { ++captionChanges; }
    [[nodiscard]] std::optional<std::ptrdiff_t> ShownTopIndex(const Control&) const override
    {
        return shownTopIndex;
    }
    std::vector<std::pair<std::wstring_view, Property>> changes;
    int captionChanges = 0;
    std::optional<std::ptrdiff_t> shownTopIndex;
};

TEST(ControlModel, SelectingAListItemRunsTheClickHandlerButSelectingNothingDoesNot)
{
    FormModel form(ui::MainWindowLayout());
    Control& list = ui::MainWindowControls(form).entryList;
    int clicks = 0;
    list.onClick = [&] { ++clicks; };
    list.AddItems({L"a", L"b"});
    list.SetSelectedIndex(1);
    EXPECT_EQ(list.SelectedIndex(), 1);
    EXPECT_EQ(clicks, 1);
    list.SetSelectedIndex(-1);
    EXPECT_EQ(clicks, 1);
    list.SetSelectedIndex(5); // past the end: nothing selected
    EXPECT_EQ(list.SelectedIndex(), -1);
    EXPECT_EQ(clicks, 1);
    list.SetSelectedIndex(0);
    list.ClearItems();
    EXPECT_EQ(list.SelectedIndex(), -1);
    EXPECT_TRUE(list.Items().empty());
}

TEST(ControlModel, DimmedItemMarksFollowTheItemsAndAreToldOnlyWhenTheyChange)
{
    FormModel form(ui::MainWindowLayout());
    RecordingObserver observer;
    form.SetObserver(&observer);
    Control& list = ui::MainWindowControls(form).entryList;
    list.AddItems({L"a", L"b"});
    list.AddItem(L"c");
    observer.changes.clear();
    list.SetItemDimmed(1, true);
    list.SetItemDimmed(1, true);  // no change
    list.SetItemDimmed(2, false); // no change
    list.SetItemDimmed(3, true);  // past the end
    list.SetItemDimmed(1, false);
    list.SetItemDimmed(1, true);
    list.AddItems({L"d"});
    const std::pair<std::wstring_view, Property> look{L"entryList", Property::ItemLook};
    EXPECT_EQ(observer.changes,
              (decltype(observer.changes){look, look, look, {L"entryList", Property::Items}}));
    EXPECT_TRUE(list.ItemDimmed(1));
    EXPECT_FALSE(list.ItemDimmed(0) || list.ItemDimmed(3) || list.ItemDimmed(4));
    list.ClearItems();
    list.AddItems({L"a", L"b"});
    EXPECT_FALSE(list.ItemDimmed(1));
    list.SetItemDimmed(0, true);
    form.ResetToLayout();
    list.AddItem(L"a");
    EXPECT_FALSE(list.ItemDimmed(0));
}

TEST(ControlModel, TopIndexIsTheShownListsWhenThereIsOneAndStartsAgainWithTheItems)
{
    FormModel form(ui::MainWindowLayout());
    Control& list = ui::MainWindowControls(form).entryList;
    list.AddItems({L"a", L"b", L"c"});
    EXPECT_EQ(list.TopIndex(), 0);
    list.SetTopIndex(2);
    EXPECT_EQ(list.TopIndex(), 2);
    list.ClearItems();
    EXPECT_EQ(list.TopIndex(), 0);
    list.SetTopIndex(1);
    form.ResetToLayout();
    EXPECT_EQ(list.TopIndex(), 0);

    RecordingObserver observer;
    form.SetObserver(&observer);
    list.SetTopIndex(1);
    EXPECT_EQ(observer.changes, (decltype(observer.changes){{L"entryList", Property::TopIndex}}));
    EXPECT_EQ(list.TopIndex(), 1); // the observer shows no list
    // cppcheck-suppress unreadVariable ; read by the list through its observer
    observer.shownTopIndex = 7; // the user scrolled it
    EXPECT_EQ(list.TopIndex(), 7);
}

TEST(ControlModel, ContextMenuDeleteAndRefillKeysReachTheirHandlersWhenThereAreAny)
{
    FormModel form(ui::MainWindowLayout());
    Control& list = ui::MainWindowControls(form).entryList;
    const Control::ContextMenuRequest request{2, ScreenPoint{30, 40}, false};
    list.RaiseContextMenu(request);
    list.RaiseDeleteKey();
    form.RaiseRefillKey();

    std::vector<Control::ContextMenuRequest> requests;
    int deletes = 0;
    int refills = 0;
    list.onContextMenu = [&](const Control::ContextMenuRequest& r) { requests.push_back(r); };
    list.onDeleteKey = [&] { ++deletes; };
    form.onRefillKey = [&] { ++refills; };
    list.RaiseContextMenu(request);
    list.RaiseDeleteKey();
    form.RaiseRefillKey();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].itemUnderPointer, 2);
    EXPECT_EQ(requests[0].at.x, 30);
    EXPECT_EQ(requests[0].at.y, 40);
    EXPECT_FALSE(requests[0].byKeyboard);
    EXPECT_EQ(deletes, 1);
    EXPECT_EQ(refills, 1);
}

TEST(ControlModel, ChoosingAnOptionClearsTheOtherAndRunsItsClick)
{
    FormModel form(ui::EntryEditorLayout());
    const ui::EntryEditorControls controls(form);
    Control& allUsers = controls.allUsersOption;
    Control& currentUser = controls.currentUserOption;
    std::vector<int> clicked;
    allUsers.onClick = [&] { clicked.push_back(0); };
    currentUser.onClick = [&] { clicked.push_back(1); };
    currentUser.SetChecked(true);
    allUsers.SetChecked(true);
    EXPECT_TRUE(allUsers.Checked());
    EXPECT_FALSE(currentUser.Checked());
    EXPECT_EQ(clicked, (std::vector<int>{1, 0}));
}

TEST(ControlModel, ChangesReachTheObserverAndLoadingPutsTheLayoutBack)
{
    FormModel form(ui::MainWindowLayout());
    RecordingObserver observer;
    form.SetObserver(&observer);
    const ui::MainWindowControls controls(form);
    Control& edit = controls.editButton;
    EXPECT_FALSE(edit.Enabled());
    edit.SetEnabled(true);
    controls.programPathField.SetCaption(L"C:\\x.exe");
    controls.hoverTimer.SetTimerEnabled(true);
    form.SetCaption(L"other");
    ASSERT_EQ(observer.changes.size(), 3u);
    EXPECT_EQ(observer.changes[0],
              std::make_pair(std::wstring_view(L"editButton"), Property::Enabled));
    EXPECT_EQ(observer.changes[1],
              std::make_pair(std::wstring_view(L"programPathField"), Property::Caption));
    EXPECT_EQ(observer.changes[2],
              std::make_pair(std::wstring_view(L"hoverTimer"), Property::Timer));
    EXPECT_EQ(observer.captionChanges, 1);

    form.ResetToLayout();
    EXPECT_FALSE(edit.Enabled());
    EXPECT_EQ(controls.programPathField.Caption(), L"lblPath");
    EXPECT_FALSE(controls.hoverTimer.TimerEnabled());
    EXPECT_EQ(controls.hoverTimer.Interval(), 100);
    EXPECT_EQ(form.Caption(), L"Run on startup commands in the Registry");
    EXPECT_THROW((void)form.ControlAt(form.Controls().size()), std::out_of_range);
}

TEST(HeadlessWindows, ModalFormsRunTheirScriptAndMustBeUnloaded)
{
    platform::portable::HeadlessWindowSystem windows;
    FormModel owner(ui::MainWindowLayout());
    FormModel dialog(ui::EntryEditorLayout());
    int loads = 0;
    int unloads = 0;
    dialog.onLoad = [&] { ++loads; };
    dialog.onUnload = [&] { ++unloads; };

    windows.Show(owner);
    EXPECT_NE(windows.Handle(owner), 0u);
    windows.modalScript = [&](FormModel& form, FormModel& by) {
        EXPECT_EQ(&form, &dialog);
        EXPECT_EQ(&by, &owner);
        EXPECT_TRUE(form.Loaded());
        ui::EntryEditorControls(form).nameBox.SetCaption(L"typed");
        windows.Unload(form);
    };
    windows.ShowModal(dialog, owner);
    windows.ShowModal(dialog, owner);
    EXPECT_EQ(loads, 2);
    EXPECT_EQ(unloads, 2);
    EXPECT_EQ(windows.Handle(dialog), 0u);
    // Each showing starts from the layout again.
    EXPECT_EQ(ui::EntryEditorControls(dialog).nameBox.Caption(), L"typed");
    windows.modalScript = [](FormModel&, FormModel&) {};
    EXPECT_THROW(windows.ShowModal(dialog, owner), std::logic_error);
}

TEST(HeadlessWindows, MenusAreRecordedAndAnsweredByTheScriptWithWhatAUserCouldChoose)
{
    platform::portable::HeadlessWindowSystem windows;
    FormModel form(ui::MainWindowLayout());
    windows.Show(form);
    const std::vector<MenuItem> items{
        {L"Open", true, true, false}, {L"", true, false, true}, {L"Gone", false}, {L"Copy"}};
    EXPECT_EQ(windows.ShowMenu(form, items, ScreenPoint{5, 6}), std::nullopt);
    windows.menuScript = [](std::span<const MenuItem> shown) -> std::optional<std::size_t> {
        return shown.size() - 1;
    };
    EXPECT_EQ(windows.ShowMenu(form, items, ScreenPoint{7, 8}), 3u);
    ASSERT_EQ(windows.shownMenus.size(), 2u);
    const auto& second = windows.shownMenus[1];
    EXPECT_EQ(second.form, &form);
    EXPECT_EQ(second.at.x, 7);
    EXPECT_EQ(second.at.y, 8);
    ASSERT_EQ(second.items.size(), 4u);
    EXPECT_TRUE(second.items[0].isDefault);
    EXPECT_TRUE(second.items[1].separator);
    EXPECT_FALSE(second.items[2].enabled);
    for (const std::size_t impossible : {1u, 2u, 4u}) {
        windows.menuScript = [impossible](std::span<const MenuItem>) { return impossible; };
        EXPECT_THROW(static_cast<void>(windows.ShowMenu(form, items, {})), std::logic_error);
    }
}

} // namespace
} // namespace tolvan::test
