// The real windows made from the layout tables, inspected in the same process: positions at the
// window's DPI, styles, fonts and initial state, and the keyboard through the dialog manager.
#include "portable/CaseFoldCollation.h"
#include "portable/DriveMapFileSearch.h"
#include "portable/MemoryRegistry.h"
#include "portable/PeVersionResources.h"
#include "portable/ScriptedFileDialogs.h"
#include "portable/ScriptedMessageBox.h"
#include "portable/ScriptedShell.h"
#include "platform/win32/window/ControlIds.h"
#include "platform/win32/window/Dpi.h"
#include "platform/win32/window/Win32WindowSystem.h"
#include "support/ScriptedPlatform.h"
#include "ui/MainWindow.h"
#include "ui/layouts/EntryEditorLayout.h"
#include "ui/layouts/MainWindowLayout.h"

#include <windows.h>

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace tolvan::test {
namespace {

using namespace platform;
using platform::window::ControlKind;
using platform::window::ControlLayout;
using platform::window::WindowLayout;

std::string Narrow(std::wstring_view text)
{
    return std::string(text.begin(), text.end());
}

RECT ChildRect(HWND parent, HWND child)
{
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Where the layout puts a control, in twips of the window's client area.
RECT ExpectedTwips(const WindowLayout& layout, const ControlLayout& control)
{
    const ControlLayout* placed = &control;
    // The lit flags are laid over their plain ones when the window loads.
    if (control.name.ends_with(L"Lit")) {
        const std::wstring_view flag = control.name.substr(0, control.name.size() - 3);
        for (const ControlLayout& other : layout.controls) {
            if (other.name == flag) {
                placed = &other;
            }
        }
    }
    POINT origin{placed->left, placed->top};
    if (control.container != platform::window::kNoContainer) {
        const ControlLayout& frame = layout.controls[static_cast<std::size_t>(control.container)];
        origin.x += frame.left;
        origin.y += frame.top;
    }
    return RECT{origin.x, origin.y, origin.x + control.width, origin.y + control.height};
}

// Every control with a window stands where the layout says, at the window's DPI. Labels that
// size to their text keep their anchor corner: top left, or top right when right-aligned.
void ExpectLaidOut(HWND window, const WindowLayout& layout, bool storedFontsEastEuropean)
{
    const UINT dpi = win32::dpi::ForWindow(window);
    if (const char* expected = std::getenv("TOLVAN_EXPECTED_DPI")) {
        EXPECT_EQ(dpi, static_cast<UINT>(std::atoi(expected)));
    }
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, win32::dpi::Pixels(layout.clientWidth, dpi));
    EXPECT_EQ(client.bottom, win32::dpi::Pixels(layout.clientHeight, dpi));

    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    EXPECT_NE(style & WS_CAPTION, 0);

    for (std::size_t i = 0; i < layout.controls.size(); ++i) {
        const ControlLayout& control = layout.controls[i];
        if (control.kind == ControlKind::Timer || control.kind == ControlKind::Line ||
            control.kind == ControlKind::Shape) {
            continue;
        }
        SCOPED_TRACE(Narrow(control.name));
        HWND child = GetDlgItem(window, win32::ControlId(layout, i));
        ASSERT_NE(child, nullptr);
        const RECT twips = ExpectedTwips(layout, control);
        const RECT actual = ChildRect(window, child);
        EXPECT_EQ(actual.top, win32::dpi::Pixels(twips.top, dpi));
        if (!control.Has(platform::window::kSizesToText)) {
            EXPECT_EQ(actual.left, win32::dpi::Pixels(twips.left, dpi));
            EXPECT_EQ(actual.right, win32::dpi::Pixels(twips.right, dpi));
            EXPECT_EQ(actual.bottom, win32::dpi::Pixels(twips.bottom, dpi));
        } else if (control.Has(platform::window::kRightAligned)) {
            EXPECT_EQ(actual.right, win32::dpi::Pixels(twips.right, dpi));
        } else {
            EXPECT_EQ(actual.left, win32::dpi::Pixels(twips.left, dpi));
        }
        if (control.kind != ControlKind::Image) {
            const auto font = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
            ASSERT_NE(font, nullptr);
            LOGFONTW logFont{};
            ASSERT_NE(GetObjectW(font, sizeof(logFont), &logFont), 0);
            if (storedFontsEastEuropean) {
                EXPECT_EQ(logFont.lfCharSet, 238);
            }
            // Without a stored font, the window's; without that, the default dialog font.
            constexpr platform::window::Font kDialogFont{L"MS Sans Serif", 825, false, 1};
            const auto& spec = control.font ? *control.font : layout.font.value_or(kDialogFont);
            EXPECT_EQ(std::wstring(logFont.lfFaceName), std::wstring(spec.face));
            EXPECT_EQ(logFont.lfWeight, spec.bold ? FW_BOLD : FW_NORMAL);
            EXPECT_EQ(logFont.lfHeight,
                      -MulDiv(spec.hundredthsOfPoint, static_cast<int>(dpi), 7200));
        }
    }
}

class RealWindows : public ::testing::Test, protected ScriptedPlatform {
protected:
    HWND Window(const window::FormModel& form)
    {
        return reinterpret_cast<HWND>(windows.Handle(form));
    }
    HWND Child(const window::FormModel& form, const window::Control& control)
    {
        return GetDlgItem(Window(form), win32::ControlId(form.Layout(), static_cast<std::size_t>(
                                                                            control.Layout().id)));
    }

    win32::Win32WindowSystem windows{GetModuleHandleW(nullptr)};
    ui::InterfaceLanguage language;
    entries::EntryTable table{services};
    ui::MainWindow mainWindow{services, windows, language, table};
    const ui::MainWindowControls& c = mainWindow.Controls();
};

TEST_F(RealWindows, MainWindowMatchesItsLayoutAndStartsAsItShould)
{
    mainWindow.Show();
    window::FormModel& form = mainWindow.Form();
    HWND window = Window(form);
    ASSERT_NE(window, nullptr);
    ExpectLaidOut(window, form.Layout(), true);
    EXPECT_NE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
    EXPECT_FALSE(IsWindowEnabled(Child(form, c.editButton)));
    EXPECT_FALSE(IsWindowEnabled(Child(form, c.deleteButton)));
    EXPECT_TRUE(IsWindowEnabled(Child(form, c.newButton)));
    EXPECT_FALSE(IsWindowVisible(Child(form, c.englishFlagLit)));
    EXPECT_FALSE(IsWindowVisible(Child(form, c.hungarianFlagLit)));
    EXPECT_FALSE(c.hoverTimer.TimerEnabled());
    wchar_t caption[128]{};
    GetWindowTextW(window, caption, 128);
    EXPECT_EQ(std::wstring(caption), L"Windows indulásakor induló programok");
    GetWindowTextW(Child(form, c.deleteButton), caption, 128);
    EXPECT_EQ(std::wstring(caption), L"Töröl");

    // Model changes reach the real controls.
    c.editButton.SetEnabled(true);
    EXPECT_TRUE(IsWindowEnabled(Child(form, c.editButton)));
    c.entryList.AddItems({L"első", L"második"});
    EXPECT_EQ(SendMessageW(Child(form, c.entryList), LB_GETCOUNT, 0, 0), 2);

    c.closeButton.RaiseClick();
    EXPECT_EQ(Window(form), nullptr);
    EXPECT_EQ(windows.Run(), 0);
}

// The window of this thread that the given one owns.
HWND OwnedWindow(HWND owner)
{
    struct Search {
        HWND owner;
        HWND found;
    } search{owner, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            if (GetWindow(window, GW_OWNER) == s->owner && IsWindowVisible(window)) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// What a running modal loop should do next; a timer hands it to the loop, and a timer procedure
// has no other way to get at it.
std::function<void()> insideModalLoop; // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)

void CALLBACK RunInsideModalLoop(HWND, UINT, UINT_PTR timer, DWORD) noexcept
{
    KillTimer(nullptr, timer);
    if (auto action = std::exchange(insideModalLoop, nullptr)) {
        action();
    }
}

// Hands an action to the next modal loop. The action refers to the test's locals, so it is dropped
// when the test's scope ends even if no loop ever ran it.
class InsideModalLoop {
public:
    explicit InsideModalLoop(std::function<void()> action)
    {
        insideModalLoop = std::move(action);
        SetTimer(nullptr, 0, 50, &RunInsideModalLoop);
    }
    ~InsideModalLoop() { insideModalLoop = nullptr; }
    InsideModalLoop(const InsideModalLoop&) = delete;
    InsideModalLoop& operator=(const InsideModalLoop&) = delete;
};

TEST_F(RealWindows, EditorMatchesItsLayoutFocusesTheNameAndEscCancelsIt)
{
    mainWindow.Show();
    window::FormModel& main = mainWindow.Form();
    bool checked = false;
    const InsideModalLoop inEditor([&] {
        HWND editor = OwnedWindow(Window(main));
        if (editor == nullptr) {
            ADD_FAILURE() << "no editor window";
            PostQuitMessage(0); // ends the modal loop
            return;
        }
        EXPECT_FALSE(IsWindowEnabled(Window(main)));
        const WindowLayout& layout = ui::EntryEditorLayout();
        ExpectLaidOut(editor, layout, false);
        EXPECT_EQ(GetWindowLongPtrW(editor, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
        EXPECT_EQ(GetWindow(editor, GW_OWNER), Window(main));
        HWND focused = GetFocus();
        EXPECT_EQ(GetDlgCtrlID(focused),
                  win32::ControlId(layout, window::Id(ui::EntryEditorControl::NameBox)));
        // Esc, as the keyboard delivers it to the focused control.
        PostMessageW(focused, WM_KEYDOWN, VK_ESCAPE, 0);
        checked = true;
    });
    c.newButton.RaiseClick(); // returns once the editor is gone
    EXPECT_TRUE(checked);
    EXPECT_TRUE(IsWindowEnabled(Window(main)));
    windows.Unload(main);
}

TEST_F(RealWindows, EnterInTheListIsTheListsOwnAndNotAButtonPress)
{
    mainWindow.Show();
    window::FormModel& main = mainWindow.Form();
    int enters = 0;
    c.entryList.onEnter = [&] { ++enters; };
    SetFocus(Child(main, c.entryList));
    PostMessageW(Child(main, c.entryList), WM_KEYDOWN, VK_RETURN, 0);
    PostMessageW(Window(main), WM_CLOSE, 0, 0);
    EXPECT_EQ(windows.Run(), 0);
    EXPECT_EQ(enters, 1);
    EXPECT_FALSE(main.Loaded());
}

} // namespace
} // namespace tolvan::test
