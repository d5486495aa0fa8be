#include "platform/win32/Win32Platform.h"
#include "platform/win32/window/Win32WindowSystem.h"
#include "startup/modTolvan.h"
#include "ui/MainWindow.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int /*show*/)
{
    try {
        platform::win32::Win32Platform platform;
        platform::win32::Win32WindowSystem windows(instance);
        ui::MainWindow mainWindow(platform.services(), windows);
        modTolvan::Main(platform.services(), mainWindow);
        return windows.Run();
    } catch (...) {
        return 1;
    }
}
