// The window system's error policy on real windows: an exception from an event handler is not lost
// inside the window procedure but ends the message loops, modal one included, and reaches the
// caller of Run; a form whose window Windows will not make is an error at once, not a program
// waiting for messages to a window it never got.
#include "platform/win32/SystemLibrary.h"
#include "platform/win32/Win32MessageBox.h"
#include "platform/win32/window/ControlIds.h"
#include "platform/win32/window/Win32WindowSystem.h"
#include "platform/window/FormModel.h"

#include <windows.h>

#include <array>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <system_error>

namespace tolvan::test {
namespace {

using namespace platform;
using window::ControlKind;
using window::ControlLayout;
using window::WindowLayout;

constexpr std::array kOwnerControls{
    ControlLayout{.id = 0,
                  .name = L"openButton",
                  .kind = ControlKind::CommandButton,
                  .caption = L"Open",
                  .left = 120,
                  .top = 120,
                  .width = 1200,
                  .height = 375,
                  .tabIndex = 0},
};
constexpr WindowLayout kOwnerLayout{.name = L"testOwner",
                                    .caption = L"Owner",
                                    .clientWidth = 3000,
                                    .clientHeight = 1500,
                                    .showInTaskbar = true,
                                    .controls = kOwnerControls};

constexpr std::array kModalControls{
    ControlLayout{.id = 0,
                  .name = L"failingButton",
                  .kind = ControlKind::CommandButton,
                  .caption = L"Fail",
                  .left = 120,
                  .top = 120,
                  .width = 1200,
                  .height = 375,
                  .tabIndex = 0},
};
constexpr WindowLayout kModalLayout{.name = L"testModal",
                                    .caption = L"Modal",
                                    .clientWidth = 2400,
                                    .clientHeight = 1200,
                                    .controls = kModalControls};

struct Refused : std::runtime_error {
    using std::runtime_error::runtime_error;
};

HWND WindowOf(const win32::Win32WindowSystem& windows, const window::FormModel& form)
{
    return reinterpret_cast<HWND>(windows.Handle(form));
}

// What the form's first button sends its window when clicked, queued for the running loop.
void PostClick(const win32::Win32WindowSystem& windows, const window::FormModel& form)
{
    HWND window = WindowOf(windows, form);
    const int id = win32::ControlId(form.Layout(), 0);
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

TEST(WindowBoundary, AHandlersExceptionEndsTheModalLoopAndRunWithItself)
{
    window::FormModel owner(kOwnerLayout);
    window::FormModel modal(kModalLayout);
    win32::Win32WindowSystem windows(GetModuleHandleW(nullptr));
    bool modalReturned = false;
    owner.ControlAt(0).onClick = [&] {
        windows.ShowModal(modal, owner);
        modalReturned = true;
    };
    modal.onLoad = [&] {
        PostClick(windows, modal);
        // Delivered only if the failure were lost: Run then ends as if the owner were closed,
        // instead of waiting for ever.
        PostMessageW(WindowOf(windows, owner), WM_CLOSE, 0, 0);
    };
    modal.ControlAt(0).onClick = [] { throw Refused("refused by the handler"); };

    windows.Show(owner);
    PostClick(windows, owner);
    try {
        const int exitCode = windows.Run();
        ADD_FAILURE() << "Run returned " << exitCode << " instead of the handler's exception";
    } catch (const Refused& failure) {
        EXPECT_STREQ(failure.what(), "refused by the handler");
    }
    EXPECT_FALSE(modalReturned);
    EXPECT_TRUE(modal.Loaded());
    EXPECT_TRUE(IsWindowEnabled(WindowOf(windows, owner)));

    // The failure is delivered once; with the forms unloaded, Run has nothing left to wait for.
    windows.Unload(modal);
    windows.Unload(owner);
    EXPECT_EQ(windows.Run(), 0);
}

// Windows' own veto on window creation, for the windows this thread makes while it lasts.
class RefusedWindows {
public:
    RefusedWindows() noexcept
        : hook_(SetWindowsHookExW(WH_CBT, &Refuse, nullptr, GetCurrentThreadId()))
    {
    }
    ~RefusedWindows()
    {
        if (hook_ != nullptr) {
            UnhookWindowsHookEx(hook_);
        }
    }
    RefusedWindows(const RefusedWindows&) = delete;
    RefusedWindows& operator=(const RefusedWindows&) = delete;
    [[nodiscard]] bool Active() const noexcept { return hook_ != nullptr; }

private:
    static LRESULT CALLBACK Refuse(int code, WPARAM wParam, LPARAM lParam) noexcept
    {
        return code == HCBT_CREATEWND ? 1 : CallNextHookEx(nullptr, code, wParam, lParam);
    }

    HHOOK hook_;
};

TEST(WindowBoundary, AFormWhoseWindowCannotBeMadeIsAnErrorAndRunDoesNotWaitForIt)
{
    window::FormModel owner(kOwnerLayout);
    win32::Win32WindowSystem windows(GetModuleHandleW(nullptr));
    {
        const RefusedWindows refused;
        ASSERT_TRUE(refused.Active());
        try {
            windows.Show(owner);
            ADD_FAILURE() << "Show made no window and said nothing";
        } catch (const std::system_error& failure) {
            EXPECT_NE(std::string(failure.what()).find("testOwner"), std::string::npos)
                << failure.what();
        }
    }
    EXPECT_FALSE(owner.Loaded());
    EXPECT_EQ(windows.Handle(owner), 0);
    EXPECT_EQ(windows.Run(), 0);
}

// A library the program cannot do without is a start failure that carries Windows' reason, and
// Windows has words for the reasons (Wine's are shorter than Windows' own).
TEST(StartFailures, AMissingLibraryIsAStartFailureAndWindowsMessagesAreAsScripted)
{
    const win32::SystemLibrary missing(L"tolvan-no-such-library.dll");
    EXPECT_FALSE(missing.Loaded());
    try {
        (void)missing.Require<FARPROC>("Anything");
        ADD_FAILURE() << "no start failure";
    } catch (const win32::StartFailure& failure) {
        EXPECT_EQ(failure.Error(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
        EXPECT_STREQ(failure.what(),
                     "cannot load tolvan-no-such-library.dll from the system folder");
    }
    const win32::SystemLibrary kernel(L"kernel32.dll");
    EXPECT_THROW((void)kernel.Require<FARPROC>("NoSuchFunction"), win32::StartFailure);

    const win32::Win32MessageBox windows;
    for (const std::uint32_t code : {2u, 5u, 126u}) {
        const std::wstring text = windows.ErrorText(code);
        const std::wstring number = L" (" + std::to_wstring(code) + L")";
        EXPECT_TRUE(text.ends_with(number) && text.size() > number.size() + 3 &&
                    !text.starts_with(L"Windows error"));
    }
    EXPECT_EQ(windows.ErrorText(0x2000FFFFu), L"Windows error (536936447)");
}

} // namespace
} // namespace tolvan::test
