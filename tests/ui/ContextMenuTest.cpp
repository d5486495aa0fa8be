// The list's context menu: what it offers for the entry under the pointer or the selected one, in
// the interface language, and what each item does.
#include "MainWindowFixture.h"
#include "entries/EntrySwitches.h"

namespace tolvan::test {
namespace {

using platform::reg::kLocalMachine;
using platform::window::Control;
using Action = platform::portable::ScriptedShell::ShellActionKind;
using Way = platform::portable::ScriptedShell::Way;

constexpr std::size_t kOpenFileLocation = 4;
constexpr std::size_t kSignatureDetails = 5;
constexpr std::size_t kProperties = 6;
constexpr std::size_t kCopyCommand = 7;
constexpr std::size_t kSaveList = 9;

class ContextMenu : public MainWindowFixture {
protected:
    void SetUp() override
    {
        PutRunValue(kLocalMachine, L"Gone", L"F:\\missing.exe /q");
        PutRunValue(entries::Scope::CurrentUser, L"Plain", L"%FIXTURES%\\no_version.exe /p",
                    platform::reg::kTypeExpandSz);
        environment.Set(L"FIXTURES", L"F:");
    }

    // The right button on the list's item; the user picks `choice` from the menu (or nothing).
    void RightClick(std::ptrdiff_t item, std::optional<std::size_t> choice = std::nullopt)
    {
        windows.menuScript = [choice](std::span<const platform::window::MenuItem>) {
            return choice;
        };
        mainWindow.Controls().entryList.RaiseContextMenu(
            Control::ContextMenuRequest{item, {300, 200}, false});
    }

    const Control& list = mainWindow.Controls().entryList;
};

TEST_F(ContextMenu, TheRightButtonSelectsTheEntryAndOffersItsCommandsInTheWindowsLanguage)
{
    Open(ui::Language::Hungarian);
    ASSERT_EQ(ListedNames(), (std::vector<std::wstring>{L"Gone", L"Plain"}));
    RightClick(1);
    EXPECT_EQ(list.SelectedIndex(), 1);
    EXPECT_EQ(mainWindow.Controls().nameField.Caption(), L"Plain");
    ASSERT_EQ(windows.shownMenus.size(), 1u);
    const auto& menu = windows.shownMenus[0];
    EXPECT_EQ(menu.at.x, 300);
    EXPECT_EQ(menu.at.y, 200);
    std::vector<std::wstring> texts;
    std::vector<bool> enabled;
    for (const platform::window::MenuItem& item : menu.items) {
        texts.push_back(item.separator ? L"-" : item.text);
        enabled.push_back(item.enabled);
    }
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"Szerkeszt", L"Letilt", L"Töröl", L"-",
                                                L"Fájl helyének megnyitása", L"Aláírás részletei",
                                                L"Tulajdonságok", L"Parancs másolása", L"-",
                                                L"Lista mentése…"}));
    EXPECT_TRUE(menu.items[0].isDefault);
    // An unsigned program has no signature to show.
    EXPECT_FALSE(enabled[kSignatureDetails]);
    EXPECT_EQ(std::count(enabled.begin(), enabled.end(), false), 1);

    // A switched-off entry whose file is missing, in English: Enable, and no file items.
    ASSERT_EQ(entries::WriteSwitch(registry, entries::Scope::AllUsers, L"Gone", true, 0), 0);
    mainWindow.ApplyLanguage(ui::Language::English);
    mainWindow.RefillList();
    RightClick(0);
    ASSERT_EQ(windows.shownMenus.size(), 2u);
    const auto& other = windows.shownMenus[1].items;
    EXPECT_EQ(other[0].text, L"Edit");
    EXPECT_EQ(other[1].text, L"Enable");
    EXPECT_EQ(other[2].text, L"Delete");
    EXPECT_EQ(other[kOpenFileLocation].text, L"Open file location");
    EXPECT_EQ(other[kProperties].text, L"Properties");
    EXPECT_EQ(other[kCopyCommand].text, L"Copy command");
    EXPECT_FALSE(other[kOpenFileLocation].enabled);
    EXPECT_FALSE(other[kProperties].enabled);
    EXPECT_FALSE(other[kSignatureDetails].enabled);
    EXPECT_TRUE(other[kCopyCommand].enabled);

    // Beside the items, and by keyboard with nothing selected, only Save list is offered.
    RightClick(platform::window::kNoSelection);
    mainWindow.Controls().entryList.SetSelectedIndex(platform::window::kNoSelection);
    mainWindow.Controls().entryList.RaiseContextMenu(
        Control::ContextMenuRequest{platform::window::kNoSelection, {0, 0}, true});
    ASSERT_EQ(windows.shownMenus.size(), 4u);
    for (std::size_t shown = 2; shown < 4; ++shown) {
        const auto& items = windows.shownMenus[shown].items;
        for (std::size_t item = 0; item < items.size(); ++item) {
            EXPECT_EQ(items[item].enabled, item == kSaveList || items[item].separator) << item;
        }
    }
}

TEST_F(ContextMenu, ItemsActOnTheEntry)
{
    Open();
    RightClick(1, kCopyCommand);
    EXPECT_EQ(clipboard.text, L"%FIXTURES%\\no_version.exe /p") << "not the command as stored";
    RightClick(1, kOpenFileLocation);
    RightClick(1, kProperties);
    ASSERT_EQ(shell.shellActions.size(), 2u);
    EXPECT_EQ(shell.shellActions[0].kind, Action::ShowInFolder);
    // The folder window opens in the desktop's shell, without the program's rights; the
    // Properties sheet is a window of the program.
    EXPECT_EQ(shell.shellActions[0].way, Way::Desktop);
    EXPECT_EQ(shell.shellActions[1].kind, Action::ShowProperties);
    EXPECT_EQ(shell.shellActions[1].way, Way::ThisProcess);
    for (const auto& action : shell.shellActions) {
        EXPECT_EQ(action.path, L"F:\\no_version.exe");
        EXPECT_EQ(action.owner, windows.Handle(mainWindow.Form()));
    }
    EXPECT_TRUE(messageBox.shown.empty());

    // What the shell or the clipboard refuses is told.
    shell.showsFiles = false;
    clipboard.available = false;
    RightClick(1, kOpenFileLocation);
    RightClick(1, kCopyCommand);
    ASSERT_EQ(messageBox.shown.size(), 2u);
    EXPECT_EQ(messageBox.shown[0].text, L"Can't open the file's location.");
    EXPECT_EQ(messageBox.shown[1].text, L"Can't copy the command to the clipboard.");
    EXPECT_EQ(messageBox.shown[1].icon, platform::MessageIcon::Error);
    // The desktop's shell refused: the program's own shell is not asked instead.
    EXPECT_EQ(shell.shellActions.size(), 3u);

    // Without a desktop shell the program's own shell opens the folder window.
    shell.showsFiles = true;
    shell.desktopShell = false;
    RightClick(1, kOpenFileLocation);
    ASSERT_EQ(shell.shellActions.size(), 4u);
    EXPECT_EQ(shell.shellActions[3].way, Way::ThisProcess);
    EXPECT_EQ(messageBox.shown.size(), 2u);

    // Disable and Delete act as their buttons.
    RightClick(1, 1);
    EXPECT_TRUE(table.Entries()[1].switchedOff);
    messageBox.shown.clear();
    RightClick(0, 2);
    EXPECT_EQ(messageBox.shown.size(), 1u) << "Delete did not ask first";
    EXPECT_EQ(RunValues(kLocalMachine).count(L"Gone"), 0u);
    EXPECT_EQ(ListedNames(), std::vector<std::wstring>{L"Plain"});
}

TEST_F(ContextMenu, EditIsTheDefaultItemAndOpensTheEditorOnTheEntry)
{
    Open();
    std::wstring edited;
    windows.modalScript = [&](platform::window::FormModel& editor, platform::window::FormModel&) {
        edited = ui::EntryEditorControls(editor).nameBox.Caption();
        windows.Unload(editor);
    };
    RightClick(1, 0);
    EXPECT_EQ(edited, L"Plain");
}

} // namespace
} // namespace tolvan::test
