// The two layout tables hold together: names, containers, focus order and the initial state the
// windows must come up in.
#include "ui/layouts/EntryEditorLayout.h"
#include "ui/layouts/MainWindowLayout.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace tolvan::test {
namespace {

using namespace platform::window;

const ControlLayout& Find(const WindowLayout& window, std::wstring_view name)
{
    const auto it = std::find_if(window.controls.begin(), window.controls.end(),
                                 [&](const ControlLayout& c) { return c.name == name; });
    if (it == window.controls.end()) {
        throw std::runtime_error("missing control");
    }
    return *it;
}

void ExpectConsistent(const WindowLayout& window)
{
    std::set<std::wstring_view> names;
    std::set<int> tabIndexes;
    for (const ControlLayout& control : window.controls) {
        EXPECT_TRUE(names.insert(control.name).second)
            << "duplicate control in " << std::string(window.name.begin(), window.name.end());
        if (control.tabIndex >= 0) {
            EXPECT_TRUE(tabIndexes.insert(control.tabIndex).second)
                << "tab index " << control.tabIndex;
        }
        if (control.container != kNoContainer) {
            EXPECT_EQ(window.controls[static_cast<std::size_t>(control.container)].kind,
                      ControlKind::Frame);
        }
    }
}

TEST(LayoutTables, NamesContainersAndFocusOrderHoldTogether)
{
    ExpectConsistent(ui::MainWindowLayout());
    ExpectConsistent(ui::EntryEditorLayout());
}

TEST(LayoutTables, MainWindowStartsWithEditAndDeleteOffAndNoHighlight)
{
    const WindowLayout& main = ui::MainWindowLayout();
    EXPECT_EQ(main.clientWidth, 10815);
    EXPECT_EQ(main.clientHeight, 6105);
    EXPECT_TRUE(main.showInTaskbar);
    EXPECT_NE(main.icon, 0);
    EXPECT_TRUE(Find(main, L"editButton").Has(kDisabled));
    EXPECT_TRUE(Find(main, L"deleteButton").Has(kDisabled));
    EXPECT_FALSE(Find(main, L"newButton").Has(kDisabled));
    EXPECT_TRUE(Find(main, L"englishFlagLit").Has(kHidden));
    EXPECT_TRUE(Find(main, L"hungarianFlagLit").Has(kHidden));
    const ControlLayout& timer = Find(main, L"hoverTimer");
    EXPECT_TRUE(timer.Has(kDisabled));
    EXPECT_EQ(timer.interval, 100);
    // The focus order starts at the list, then Delete, New, Close and Edit.
    EXPECT_EQ(Find(main, L"entryList").tabIndex, 0);
    EXPECT_EQ(Find(main, L"deleteButton").tabIndex, 1);
    EXPECT_EQ(Find(main, L"newButton").tabIndex, 2);
    EXPECT_EQ(Find(main, L"closeButton").tabIndex, 3);
    EXPECT_EQ(Find(main, L"editButton").tabIndex, 4);
    // Version and home page end at the same right edge.
    const ControlLayout& version = Find(main, L"versionLabel");
    const ControlLayout& home = Find(main, L"homePageLink");
    EXPECT_EQ(version.left + version.width, 10695);
    EXPECT_EQ(home.left + home.width, 10695);
}

TEST(LayoutTables, EveryStoredFontOfTheMainWindowHoldsHungarianLetters)
{
    const WindowLayout& main = ui::MainWindowLayout();
    ASSERT_TRUE(main.font.has_value());
    EXPECT_EQ(main.font->charset, kCharsetEastEurope);
    EXPECT_TRUE(main.font->bold);
    int withFont = 0;
    for (const ControlLayout& control : main.controls) {
        if (control.font) {
            ++withFont;
            EXPECT_EQ(control.font->charset, kCharsetEastEurope);
        }
    }
    EXPECT_EQ(withFont, 21);
    for (const ControlLayout& control : ui::EntryEditorLayout().controls) {
        EXPECT_FALSE(control.font.has_value());
    }
}

TEST(LayoutTables, EditorHasItsScopeChoiceAndCancelButton)
{
    const WindowLayout& editor = ui::EntryEditorLayout();
    EXPECT_EQ(editor.clientWidth, 9735);
    EXPECT_EQ(editor.clientHeight, 2295);
    EXPECT_FALSE(editor.showInTaskbar);
    EXPECT_EQ(editor.icon, 0);
    EXPECT_EQ(Find(editor, L"allUsersOption").top, 120);    // all users above
    EXPECT_EQ(Find(editor, L"currentUserOption").top, 420); // current user
    EXPECT_TRUE(Find(editor, L"cancelButton").Has(kCancelButton));
    EXPECT_EQ(Find(editor, L"nameBox").tabIndex, 0);
    for (const ControlLayout& control : editor.controls) {
        if (control.name != L"cancelButton") {
            EXPECT_FALSE(control.Has(kCancelButton));
        }
    }
}

} // namespace
} // namespace tolvan::test
