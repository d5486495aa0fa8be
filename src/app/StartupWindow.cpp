#include "StartupWindow.h"

#include <string>

namespace app {
namespace {

constexpr wchar_t kClassName[] = L"TolvanMainWindow";
// The main window's client area: 10815 × 6105 twips, 15 twips a pixel at 96 dpi.
constexpr int kClientWidth = 10815 / 15;
constexpr int kClientHeight = 6105 / 15;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;

} // namespace

void StartupWindow::ShowMainWindow()
{
    if (window_ != nullptr) {
        ShowWindow(window_, SW_SHOW);
        return;
    }
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &StartupWindow::WindowProc;
    windowClass.hInstance = instance_;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);

    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const std::wstring caption = modTolvan::LangText(L"Windows indulásakor induló programok",
                                                     L"Manage Windows startup programs");
    window_ = CreateWindowExW(0, kClassName, caption.c_str(), kStyle,
                              (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                              (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr,
                              nullptr, instance_, nullptr);
    if (window_ != nullptr) {
        ShowWindow(window_, SW_SHOW);
        UpdateWindow(window_);
    }
}

int StartupWindow::RunMessageLoop() noexcept
{
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

LRESULT CALLBACK StartupWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) noexcept
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace app
