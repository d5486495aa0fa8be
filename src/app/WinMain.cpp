#include "StartupWindow.h"
#include "platform/win32/Win32Platform.h"
#include "startup/modTolvan.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int /*show*/)
{
    try {
        platform::win32::Win32Platform platform;
        app::StartupWindow mainWindow(instance);
        modTolvan::Main(platform.services(), mainWindow);
        return mainWindow.shown() ? mainWindow.RunMessageLoop() : 0;
    } catch (...) {
        return 1;
    }
}
