#include "platform/win32/Win32Platform.h"
#include "platform/win32/window/Win32WindowSystem.h"
#include "startup/modTolvan.h"
#include "ui/MainWindow.h"

#include <windows.h>

// The parameters carry the names <windows.h> declares them with.
int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, PWSTR /*lpCmdLine*/,
                    int /*nShowCmd*/)
{
    try {
        platform::win32::Win32Platform platform;
        platform::win32::Win32WindowSystem windows(hInstance);
        ui::MainWindow mainWindow(platform.services(), windows);
        modTolvan::Main(platform.services(), mainWindow);
        return windows.Run();
    } catch (...) {
        return 1;
    }
}
