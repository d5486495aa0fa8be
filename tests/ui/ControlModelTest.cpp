// The control model and the headless window system: what the behaviour code relies on when it
// changes controls and when windows come and go.
#include "platform/portable/HeadlessWindowSystem.h"
#include "platform/window/FormModel.h"
#include "ui/layout/Layouts.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

namespace tolvan::test {
namespace {

using namespace platform::window;

class RecordingObserver final : public FormObserver {
public:
    void ControlChanged(Control& control, Property property) override
    {
        changes.emplace_back(control.layout().name, property);
    }
    void CaptionChanged(FormModel&) override { ++captionChanges; }
    std::vector<std::pair<std::wstring_view, Property>> changes;
    int captionChanges = 0;
};

TEST(ControlModel, SelectingAListItemRunsTheClickHandlerButSelectingNothingDoesNot)
{
    FormModel form(ui::MainWindowLayout());
    Control& list = form.control(L"recList");
    int clicks = 0;
    list.onClick = [&] { ++clicks; };
    list.AddItems({L"a", L"b"});
    list.SetListIndex(1);
    EXPECT_EQ(list.ListIndex(), 1);
    EXPECT_EQ(clicks, 1);
    list.SetListIndex(-1);
    EXPECT_EQ(clicks, 1);
    list.SetListIndex(5); // past the end: nothing selected
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(clicks, 1);
    list.SetListIndex(0);
    list.ClearItems();
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_TRUE(list.Items().empty());
}

TEST(ControlModel, ChoosingAnOptionClearsTheOtherAndRunsItsClick)
{
    FormModel form(ui::ChangeRegLayout());
    Control& allUsers = form.control(L"optHKEY", 0);
    Control& currentUser = form.control(L"optHKEY", 1);
    std::vector<int> clicked;
    allUsers.onClick = [&] { clicked.push_back(0); };
    currentUser.onClick = [&] { clicked.push_back(1); };
    currentUser.SetValue(true);
    allUsers.SetValue(true);
    EXPECT_TRUE(allUsers.Value());
    EXPECT_FALSE(currentUser.Value());
    EXPECT_EQ(clicked, (std::vector<int>{1, 0}));
}

TEST(ControlModel, ChangesReachTheObserverAndLoadingPutsTheLayoutBack)
{
    FormModel form(ui::MainWindowLayout());
    RecordingObserver observer;
    form.SetObserver(&observer);
    Control& edit = form.control(L"ComEdit");
    EXPECT_FALSE(edit.Enabled());
    edit.SetEnabled(true);
    form.control(L"lblPath").SetCaption(L"C:\\x.exe");
    form.control(L"tmrLang").SetTimerEnabled(true);
    form.SetCaption(L"other");
    ASSERT_EQ(observer.changes.size(), 3u);
    EXPECT_EQ(observer.changes[0],
              std::make_pair(std::wstring_view(L"ComEdit"), Property::Enabled));
    EXPECT_EQ(observer.changes[1],
              std::make_pair(std::wstring_view(L"lblPath"), Property::Caption));
    EXPECT_EQ(observer.changes[2], std::make_pair(std::wstring_view(L"tmrLang"), Property::Timer));
    EXPECT_EQ(observer.captionChanges, 1);

    form.ResetToLayout();
    EXPECT_FALSE(edit.Enabled());
    EXPECT_EQ(form.control(L"lblPath").Caption(), L"lblPath");
    EXPECT_FALSE(form.control(L"tmrLang").TimerEnabled());
    EXPECT_EQ(form.control(L"tmrLang").Interval(), 100);
    EXPECT_EQ(form.Caption(), L"Run on startup commands in the Registry");
    EXPECT_THROW((void)form.control(L"noSuchControl"), std::out_of_range);
}

TEST(HeadlessWindows, ModalFormsRunTheirScriptAndMustBeUnloaded)
{
    platform::portable::HeadlessWindowSystem windows;
    FormModel owner(ui::MainWindowLayout());
    FormModel dialog(ui::ChangeRegLayout());
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
        form.control(L"Tname").SetCaption(L"typed");
        windows.Unload(form);
    };
    windows.ShowModal(dialog, owner);
    windows.ShowModal(dialog, owner);
    EXPECT_EQ(loads, 2);
    EXPECT_EQ(unloads, 2);
    EXPECT_EQ(windows.Handle(dialog), 0u);
    // Each showing starts from the layout again.
    EXPECT_EQ(dialog.control(L"Tname").Caption(), L"typed");
    windows.modalScript = [](FormModel&, FormModel&) {};
    EXPECT_THROW(windows.ShowModal(dialog, owner), std::logic_error);
}

} // namespace
} // namespace tolvan::test
