// The main window following the real registry: values another process adds, changes and deletes,
// a StartupApproved key it creates after the start, a burst of writes read in one refill, and the
// window's own change read once. The window's own message loop runs throughout; a thread timer
// takes the steps and ends the loop.
#include "Fixtures.h"
#include "entries/EntrySwitches.h"
#include "platform/win32/Win32ChangeWatch.h"
#include "platform/win32/Win32FileSearch.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/window/Win32WindowSystem.h"
#include "support/ScriptedPlatform.h"
#include "ui/MainWindow.h"

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tolvan::test {
namespace {

using namespace platform;

constexpr std::wstring_view kUserRun = L"HKCU\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr std::wstring_view kUserSwitches =
    L"HKCU\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
constexpr DWORD kStepWaitMs = 10000;

// Runs a program of the system to its end, as another process changing the registry.
bool RunToEnd(std::wstring commandLine)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                        nullptr, nullptr, &startup, &process)) {
        return false;
    }
    const bool ended = WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0;
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ended && code == 0;
}

std::wstring Reg(std::wstring_view arguments)
{
    return L"reg.exe " + std::wstring(arguments);
}

// One step: what is done, and what the window shows once the step has come through.
struct Step {
    const char* name;
    std::function<void()> act;
    std::function<bool()> shown;
};

class RealRegistryWatch : public ::testing::Test, protected ScriptedPlatform {
protected:
    void SetUp() override
    {
        RegDeleteTreeW(HKEY_CURRENT_USER,
                       L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved");
        RegDeleteTreeW(HKEY_CURRENT_USER, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run");
        windows.AddWaitSource(watch);
    }
    void TearDown() override
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run");
    }

    // Shows the window and runs its message loop until every step came through or one did not
    // within its time; the name of that step, or nothing.
    std::string RunSteps(std::vector<Step> steps)
    {
        steps_ = std::move(steps);
        Running() = this;
        mainWindow.Show();
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, &RealRegistryWatch::Poll);
        (void)windows.Run();
        KillTimer(nullptr, timer);
        Running() = nullptr;
        return failed_;
    }

    std::size_t UserEntries() const
    {
        return static_cast<std::size_t>(
            std::count_if(table.Entries().begin(), table.Entries().end(), [](const auto& entry) {
                return entry.scope == entries::Scope::CurrentUser;
            }));
    }

    void SelectFirstUserEntry()
    {
        for (std::size_t index = 0; index < table.Count(); ++index) {
            if (table.Entries()[index].name == L"Burst 100") {
                mainWindow.Controls().entryList.SetSelectedIndex(
                    static_cast<std::ptrdiff_t>(index));
            }
        }
    }

    const entries::StartupEntry* Listed(std::wstring_view name) const
    {
        for (const entries::StartupEntry& entry : table.Entries()) {
            if (entry.name == name && entry.scope == entries::Scope::CurrentUser) {
                return &entry;
            }
        }
        return nullptr;
    }

    win32::Win32Registry realRegistry;
    win32::Win32FileSearch realFiles;
    win32::Win32ChangeWatch watch;
    Platform real{realRegistry, shell,          messageBox,  realFiles, collation,
                  versions,     fileDialogs,    environment, clock,     watch,
                  clipboard,    startupFolders, signatures};
    win32::Win32WindowSystem windows{GetModuleHandleW(nullptr)};
    ui::InterfaceLanguage language;
    entries::EntryTable table{real};
    ui::MainWindow mainWindow{real, windows, language, table};

private:
    static void CALLBACK Poll(HWND, UINT, UINT_PTR, DWORD) noexcept
    {
        RealRegistryWatch& self = *Running();
        if (self.at_ < self.steps_.size()) {
            Step& step = self.steps_[self.at_];
            if (!self.acted_) {
                self.acted_ = true;
                self.deadline_ = GetTickCount() + kStepWaitMs;
                step.act();
                return;
            }
            if (!step.shown()) {
                if (GetTickCount() < self.deadline_) {
                    return;
                }
                self.failed_ = step.name;
            } else {
                ++self.at_;
                self.acted_ = false;
                return;
            }
        }
        if (self.mainWindow.Form().Loaded()) {
            self.windows.Unload(self.mainWindow.Form());
        }
    }

    // The test whose steps the thread timer takes: a timer procedure gets no pointer of its own.
    static RealRegistryWatch*& Running() noexcept
    {
        // NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables)
        static RealRegistryWatch* running = nullptr;
        return running;
    }
    std::vector<Step> steps_;
    std::size_t at_ = 0;
    bool acted_ = false;
    DWORD deadline_ = 0;
    std::string failed_;
};

TEST_F(RealRegistryWatch, ValuesAndKeysAnotherProcessChangesAreListedWithoutBeingAsked)
{
    const std::wstring program = FixtureFile(L"no_version.exe");
    const std::wstring run(kUserRun);
    const std::wstring approved(kUserSwitches);
    const std::string failed = RunSteps({
        {"a value added to a Run key that did not exist",
         [&] {
             ASSERT_TRUE(RunToEnd(Reg(L"add " + run + L" /v Watched /d \"" + program + L"\" /f")));
         },
         [&] { return Listed(L"Watched") != nullptr; }},
        {"the value changed",
         [&] {
             ASSERT_TRUE(
                 RunToEnd(Reg(L"add " + run + L" /v Watched /d \"" + program + L" /x\" /f")));
         },
         [&] {
             const auto* entry = Listed(L"Watched");
             return entry != nullptr && entry->arguments == L"/x";
         }},
        {"a StartupApproved key made after the start",
         [&] {
             ASSERT_TRUE(
                 RunToEnd(Reg(L"add " + approved +
                              L" /v Watched /t REG_BINARY /d 030000000000000000000000 /f")));
         },
         [&] {
             const auto* entry = Listed(L"Watched");
             return entry != nullptr && entry->switchedOff;
         }},
        {"the value deleted",
         [&] { ASSERT_TRUE(RunToEnd(Reg(L"delete " + run + L" /v Watched /f"))); },
         [&] { return Listed(L"Watched") == nullptr; }},
    });
    EXPECT_EQ(failed, "");
}

TEST_F(RealRegistryWatch, ABurstOfFiftyWritesIsOneRefillAndTheWindowsOwnChangeIsReadOnce)
{
    // Fifty values written by one regedit import, as an installer writes them.
    wchar_t folder[MAX_PATH]{};
    ASSERT_GT(GetTempPathW(MAX_PATH, folder), 0u);
    const std::wstring importFile = std::wstring(folder) + L"tolvan-burst.reg";
    {
        std::wofstream reg{std::filesystem::path(importFile)};
        reg << L"REGEDIT4\n\n[" << L"HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\"
            << L"CurrentVersion\\Run]\n";
        for (int k = 0; k < 50; ++k) {
            reg << L"\"Burst " << (100 + k) << L"\"=\"C:\\\\burst.exe\"\n";
        }
    }
    std::size_t atStart = 0;
    std::size_t afterBurst = 0;
    DWORD settled = 0;
    const std::string failed = RunSteps({
        {"the window shown", [&] { atStart = mainWindow.Refills(); }, [] { return true; }},
        {"fifty values imported",
         [&] { ASSERT_TRUE(RunToEnd(L"regedit.exe /s \"" + importFile + L"\"")); },
         [&] { return UserEntries() == 50; }},
        {"the keys quiet for a while", [&] { settled = GetTickCount() + 1000; },
         [&] { return GetTickCount() > settled; }},
        {"an entry switched off from the window",
         [&] {
             afterBurst = mainWindow.Refills();
             SelectFirstUserEntry();
             mainWindow.Controls().switchButton.RaiseClick();
             settled = GetTickCount() + 1000;
         },
         [&] { return GetTickCount() > settled; }},
    });
    DeleteFileW(importFile.c_str());
    EXPECT_EQ(failed, "");
    EXPECT_EQ(afterBurst, atStart + 1) << "refills for one burst";
    EXPECT_EQ(mainWindow.Refills(), afterBurst + 1) << "refills for the window's own change";
    const entries::StartupEntry* switched = Listed(L"Burst 100");
    EXPECT_TRUE(switched != nullptr && switched->switchedOff);
}

} // namespace
} // namespace tolvan::test
