#include "Win32WindowSystem.h"

#include "Dpi.h"
#include "PopupMenu.h"
#include "platform/StartupTrace.h"
#include "platform/win32/SystemLibrary.h"

#include <windows.h>

#include <algorithm>
#include <commctrl.h>
#include <utility>
#include <vector>

namespace platform::win32 {

namespace {

using InitCommonControlsFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);

// The common controls, loaded by name like any library outside Windows' known ones, and kept for
// the rest of the process: the classes they register serve every window. The manifest makes it
// version 6. Without them the program cannot start.
InitCommonControlsFunction CommonControls()
{
    static const SystemLibrary kLibrary(L"comctl32.dll");
    return kLibrary.Require<InitCommonControlsFunction>("InitCommonControlsEx");
}

} // namespace

Win32WindowSystem::Win32WindowSystem(HINSTANCE instance) : instance_(instance)
{
    dpi::BecomePerMonitorAware();
    const InitCommonControlsFunction initCommonControls = CommonControls();
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES;
    if (initCommonControls(&controls) == FALSE) {
        throw StartFailure("cannot register the common controls' classes", GetLastError());
    }
    FormWindow::RegisterWindowClass(instance);
    MarkStartup("window class registered");
}

FormWindow* Win32WindowSystem::Find(const window::FormModel& form) const noexcept
{
    const auto it = std::find_if(windows_.begin(), windows_.end(),
                                 [&](const auto& window) { return &window->Form() == &form; });
    return it == windows_.end() ? nullptr : it->get();
}

FormWindow& Win32WindowSystem::Load(window::FormModel& form, HWND owner)
{
    // cppcheck-suppress constVariable ; handed back as the caller's window to work on
    if (FormWindow* existing = Find(form)) {
        return *existing;
    }
    form.ResetToLayout();
    windows_.push_back(std::make_unique<FormWindow>(*this, form, owner));
    FormWindow& window = *windows_.back();
    form.RaiseLoad();
    return window;
}

void Win32WindowSystem::Show(window::FormModel& form)
{
    FormWindow& window = Load(form, nullptr);
    if (form.Loaded()) {
        window.Show();
    }
}

void Win32WindowSystem::ShowModal(window::FormModel& form, window::FormModel& owner)
{
    // Nothing more opens once a failure is on its way up.
    RethrowFailure();
    FormWindow* ownerWindow = Find(owner);
    HWND ownerHandle = ownerWindow != nullptr ? ownerWindow->Window() : nullptr;
    FormWindow& window = Load(form, ownerHandle);
    if (!form.Loaded()) {
        return;
    }
    if (ownerHandle != nullptr) {
        EnableWindow(ownerHandle, FALSE);
    }
    window.Show();
    while (form.Loaded() && Pump()) {
    }
    if (ownerHandle != nullptr) {
        EnableWindow(ownerHandle, TRUE);
        SetActiveWindow(ownerHandle);
    }
    // A failure in the loop goes on through the code that opened this window.
    RethrowFailure();
}

void Win32WindowSystem::Unload(window::FormModel& form)
{
    FormWindow* window = Find(form);
    if (window == nullptr || !form.Loaded()) {
        return;
    }
    form.RaiseUnload();
    // The owner takes input again before its modal window goes, so that it is the one activated.
    if (window->Owner() != nullptr) {
        EnableWindow(window->Owner(), TRUE);
    }
    const bool wasTopLevel = window->Owner() == nullptr;
    window->Destroy();
    const auto it = std::find_if(windows_.begin(), windows_.end(),
                                 [&](const auto& candidate) { return candidate.get() == window; });
    closed_.push_back(std::move(*it));
    windows_.erase(it);
    const bool anyTopLevelLeft = std::any_of(windows_.begin(), windows_.end(),
                                             [](const auto& w) { return w->Owner() == nullptr; });
    if (wasTopLevel && !anyTopLevelLeft) {
        PostQuitMessage(exitCode_);
    }
}

WindowId Win32WindowSystem::Handle(const window::FormModel& form) const noexcept
{
    const FormWindow* window = Find(form);
    return window != nullptr ? reinterpret_cast<WindowId>(window->Window()) : 0;
}

window::ScreenRect Win32WindowSystem::OuterRect(const window::FormModel& form) const noexcept
{
    RECT rect{};
    if (const FormWindow* window = Find(form)) {
        GetWindowRect(window->Window(), &rect);
    }
    return window::ScreenRect{rect.left, rect.top, rect.right, rect.bottom};
}

window::ScreenPoint Win32WindowSystem::CursorPos() const noexcept
{
    // Physical pixels, as GetWindowRect gives them: the process is per-monitor DPI aware.
    POINT point{};
    if (!GetCursorPos(&point)) {
        return {};
    }
    return window::ScreenPoint{point.x, point.y};
}

std::optional<std::size_t> Win32WindowSystem::ShowMenu(const window::FormModel& form,
                                                       std::span<const window::MenuItem> items,
                                                       window::ScreenPoint at)
{
    RethrowFailure();
    const FormWindow* window = Find(form);
    if (window == nullptr || window->Window() == nullptr) {
        return std::nullopt;
    }
    const std::optional<std::size_t> chosen =
        ShowPopupMenu(window->Window(), items, POINT{at.x, at.y});
    // The menu's own loop delivered the messages meanwhile: a failure in one of them goes on
    // through the code that showed the menu, which must not act on the choice.
    RethrowFailure();
    return chosen;
}

bool Win32WindowSystem::Pump() noexcept
{
    const bool anyWindowLeft = std::any_of(windows_.begin(), windows_.end(),
                                           [](const auto& w) { return w->Window() != nullptr; });
    if (failure_ != nullptr || !anyWindowLeft) {
        return false;
    }
    MSG message{};
    const BOOL got = NextMessage(message);
    if (failure_ != nullptr) {
        return false;
    }
    if (got <= 0) {
        // Leave WM_QUIT for the outermost loop too.
        exitCode_ = static_cast<int>(message.wParam);
        PostQuitMessage(exitCode_);
        return false;
    }
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    const auto owner = std::find_if(windows_.begin(), windows_.end(), [&](const auto& w) {
        return root != nullptr && w->Window() == root;
    });
    const bool ours = owner != windows_.end();
    // The form's own keys come first, and then reach neither the control nor the dialog manager.
    const bool taken = ours && (*owner)->TakeKey(message);
    if (!taken && (!ours || !IsDialogMessageW(root, &message))) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    closed_.clear();
    return failure_ == nullptr;
}

void Win32WindowSystem::AddWaitSource(WaitSource& source)
{
    waitSources_.push_back(&source);
}

void Win32WindowSystem::GiveUpWaiting(DWORD error)
{
    // Copied: a source may change the list as it gives up.
    const std::vector<WaitSource*> sources = waitSources_;
    for (WaitSource* source : sources) {
        source->WaitFailed(error);
    }
}

BOOL Win32WindowSystem::NextMessage(MSG& message) noexcept
{
    try {
        std::vector<HANDLE> handles;
        std::vector<std::pair<WaitSource*, std::size_t>> owners;
        for (;;) {
            if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                return message.message == WM_QUIT ? FALSE : TRUE;
            }
            MarkStartup("waiting for input"); // the trace keeps only the first
            handles.clear();
            owners.clear();
            for (WaitSource* source : waitSources_) {
                const std::span<const HANDLE> own = source->Handles();
                for (std::size_t index = 0; index < own.size(); ++index) {
                    handles.push_back(own[index]);
                    owners.emplace_back(source, index);
                }
            }
            if (handles.empty()) {
                break;
            }
            if (handles.size() >= MAXIMUM_WAIT_OBJECTS) {
                GiveUpWaiting(ERROR_INVALID_PARAMETER); // as the wait itself would answer
                continue;
            }
            const DWORD count = static_cast<DWORD>(handles.size());
            const DWORD woken = MsgWaitForMultipleObjectsEx(count, handles.data(), INFINITE,
                                                            QS_ALLINPUT, MWMO_INPUTAVAILABLE);
            // WAIT_OBJECT_0 is 0: a result below the count names a signalled handle.
            if (const DWORD signalled = woken - WAIT_OBJECT_0; signalled < count) {
                const auto& [source, index] = owners[signalled];
                source->Signalled(index);
                if (failure_ != nullptr) {
                    message = MSG{};
                    return -1;
                }
            } else if (woken != WAIT_OBJECT_0 + count) {
                // The wait itself failed: the sources hear of it, and messages alone still work.
                GiveUpWaiting(GetLastError());
                if (failure_ != nullptr) {
                    message = MSG{};
                    return -1;
                }
            }
        }
    } catch (...) {
        StopWithFailure(std::current_exception(), FailureSite{WM_NULL, L"(registry watch)"});
        message = MSG{};
        return -1;
    }
    return GetMessageW(&message, nullptr, 0, 0);
}

int Win32WindowSystem::Run()
{
    while (Pump()) {
    }
    closed_.clear();
    // The quit request of the last window is answered; it must not end a later message loop.
    MSG quit{};
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    RethrowFailure();
    return exitCode_;
}

// No quit message is posted: a message box open at that moment would end as if answered.
void Win32WindowSystem::StopWithFailure(std::exception_ptr failure,
                                        const FailureSite& site) noexcept
{
    if (failure_ != nullptr) {
        WriteFailure(failure, site, L"; dropped, an earlier failure is on its way");
        return;
    }
    if (failure != rethrown_) {
        WriteFailure(failure, site, {});
    }
    failure_ = std::move(failure);
}

void Win32WindowSystem::RethrowFailure()
{
    if (failure_ != nullptr) {
        rethrown_ = std::exchange(failure_, nullptr);
        std::rethrow_exception(rethrown_);
    }
}

} // namespace platform::win32
