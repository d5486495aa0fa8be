// The floor of the start-up measure: the least a Windows program with a window does before the
// user sees it. One class, one empty top-level window, shown, and the message loop; nothing else
// but the marks of its start-up trace.
#include "platform/StartupTrace.h"

#include <windows.h>

namespace {

LRESULT CALLBACK EmptyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    if (message == WM_PAINT) {
        const LRESULT result = DefWindowProcW(window, message, wParam, lParam);
        platform::MarkStartup("first paint");
        return result;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

// The parameters carry the names <windows.h> declares them with.
int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, PWSTR /*lpCmdLine*/,
                    int nShowCmd)
{
    platform::MarkStartup("process entry");
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = EmptyWindowProc;
    windowClass.hInstance = hInstance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"TolvanBenchEmptyWindow";
    if (RegisterClassExW(&windowClass) == 0) {
        return 1;
    }
    platform::MarkStartup("window class registered");
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Empty window",
                                  WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 640, 480,
                                  nullptr, nullptr, hInstance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    platform::MarkStartup("window created");
    ShowWindow(window, nShowCmd);
    UpdateWindow(window);
    MSG message{};
    for (;;) {
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            platform::MarkStartup("waiting for input");
        }
        if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
            break;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
