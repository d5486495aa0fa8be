#include "Application.h"
#include "platform/StartupTrace.h"
#include "platform/win32/StartFailure.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/window/Win32WindowSystem.h"

#include <windows.h>

#include <exception>
#include <string>

namespace {

// Told to the user whatever language was chosen: the failure may have come before the stored
// choice was read.
constexpr wchar_t kStoppedText[] = L"A Tolvan váratlan hiba miatt leáll.\r\n"
                                   L"Tolvan has stopped because of an unexpected error.";
constexpr wchar_t kCannotStartText[] = L"A Tolvan nem tud elindulni.\r\n"
                                       L"Tolvan cannot start.";
constexpr int kFailureExitCode = 1;

// An exception's message as text: UTF-8 as the window system writes it, or else the system's
// code page.
std::wstring Widen(const char* message)
{
    for (const UINT codePage : {static_cast<UINT>(CP_UTF8), static_cast<UINT>(CP_ACP)}) {
        const DWORD flags = codePage == CP_UTF8 ? MB_ERR_INVALID_CHARS : 0;
        const int length = MultiByteToWideChar(codePage, flags, message, -1, nullptr, 0);
        if (length <= 0) {
            continue;
        }
        std::wstring text(static_cast<std::size_t>(length), L'\0');
        if (MultiByteToWideChar(codePage, flags, message, -1, text.data(), length) == length) {
            text.resize(static_cast<std::size_t>(length - 1)); // without the NUL
            return text;
        }
    }
    return L"(no description)";
}

// Records what failed for a debugger and tells the user, under `headline`; the program then
// ends.
int ReportFailure(const wchar_t* what, const wchar_t* headline = kStoppedText) noexcept
{
    OutputDebugStringW(L"Tolvan stopped: ");
    OutputDebugStringW(what);
    OutputDebugStringW(L"\n");
    try {
        const std::wstring text = std::wstring(headline) + L"\r\n\r\n" + what;
        MessageBoxW(nullptr, text.c_str(), L"Tolvan", MB_OK | MB_ICONERROR);
    } catch (const std::bad_alloc&) {
        MessageBoxW(nullptr, headline, L"Tolvan", MB_OK | MB_ICONERROR);
    }
    return kFailureExitCode;
}

// A start failure: what could not be done, and Windows' reason.
int ReportStartFailure(const platform::win32::StartFailure& failure)
{
    const std::wstring what = Widen(failure.what()) + L":\r\n" +
                              platform::win32::Win32MessageBox().ErrorText(failure.Error());
    return ReportFailure(what.c_str(), kCannotStartText);
}

} // namespace

// The parameters carry the names <windows.h> declares them with.
int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, PWSTR /*lpCmdLine*/,
                    int /*nShowCmd*/)
{
    // Libraries that Windows' own code loads later by bare name (themes, shell extensions) come
    // from the system folder, never from the program's.
    // Nothing may unwind out of the program's entry point: every failure that reaches it is
    // reported here, and ends the program with a non-zero exit code.
    try {
        // Without this step, the rest would run exposed: the program does not start.
        if (SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32) == FALSE) {
            throw platform::win32::StartFailure(
                "cannot keep the loading of libraries to the system folder", GetLastError());
        }
        platform::MarkStartup("process entry");
        platform::win32::Win32Platform platform;
        platform::win32::Win32WindowSystem windows(hInstance);
        windows.AddWaitSource(platform.Watch());
        app::Application application(platform.Services(), windows);
        if (!application.Start()) {
            return 0;
        }
        return windows.Run();
    } catch (const platform::win32::StartFailure& failure) {
        try {
            return ReportStartFailure(failure);
        } catch (const std::bad_alloc&) {
            return ReportFailure(L"out of memory", kCannotStartText);
        }
    } catch (const std::exception& failure) {
        std::wstring what;
        try {
            what = Widen(failure.what());
        } catch (const std::bad_alloc&) {
            return ReportFailure(L"out of memory");
        }
        return ReportFailure(what.c_str());
    } catch (...) {
        return ReportFailure(L"an exception of unknown type");
    }
}
