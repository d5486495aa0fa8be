#pragma once

#include "Fixtures.h"
#include "platform/portable/CaseFoldCollation.h"
#include "platform/portable/DriveMapFileSearch.h"
#include "platform/portable/HeadlessWindowSystem.h"
#include "platform/portable/MemoryRegistry.h"
#include "platform/portable/PeVersionResources.h"
#include "platform/portable/ScriptedFileDialogs.h"
#include "platform/portable/ScriptedMessageBox.h"
#include "platform/portable/ScriptedShell.h"
#include "registry/modRegistry.h"
#include "startup/modTolvan.h"
#include "support/ScriptedPlatform.h"
#include "ui/MainWindow.h"
#include "ui/layout/Layouts.h"

#include <array>
#include <cstddef>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <vector>

namespace tolvan::test {

// The main window on the headless window system, over an in-memory registry and the fixture
// programs, which stand on drive F:. The program's own module is the fixture with file version
// 1.2.0.1.
class MainWindowFixture : public ::testing::Test, protected ScriptedPlatform {
protected:
    MainWindowFixture()
    {
        drives.Map(L'F', std::filesystem::path(FixtureDirectory()));
        versions.SetModule(L"tolvan.exe", L"F:\\full.exe");
        versions.SetRunningModule(L"tolvan.exe");
    }

    void TearDown() override
    {
        modTolvan::langFlag = 0;
        modTolvan::ClearEntries();
    }

    ui::frmTolvan& Open(std::int32_t language)
    {
        modTolvan::langFlag = language;
        mainWindow.ShowMainWindow();
        return *mainWindow.instance();
    }

    void PutRunValue(platform::RootKey root, std::wstring_view name, std::wstring_view command)
    {
        ASSERT_EQ(
            modRegistry::SetStringValue(registry, root, modRegistry::kRunKeyPath, name, command),
            platform::reg::kSuccess);
    }

    void RemoveRunValue(platform::RootKey root, std::wstring_view name)
    {
        ASSERT_EQ(modRegistry::DeleteValue(registry, root, modRegistry::kRunKeyPath, name),
                  platform::reg::kSuccess);
    }

    // The stored bytes of the language value; empty when there is none.
    std::vector<std::byte> StoredLanguageBytes()
    {
        platform::KeyHandle key = 0;
        if (registry.OpenKey(platform::reg::kCurrentUser, modRegistry::kSettingsKeyPath,
                             platform::reg::kKeyQueryValue, key) != platform::reg::kSuccess) {
            return {};
        }
        std::array<std::byte, 16> data{};
        std::uint32_t size = data.size();
        std::uint32_t type = 0;
        const auto result =
            registry.QueryValue(key, modRegistry::kLanguageValueName, &type, data.data(), &size);
        static_cast<void>(registry.CloseKey(key));
        if (result != platform::reg::kSuccess) {
            return {};
        }
        return {data.begin(), data.begin() + size};
    }

    platform::portable::HeadlessWindowSystem windows;
    ui::MainWindow mainWindow{services, windows};
};

inline std::vector<std::byte> Bytes(std::initializer_list<int> values)
{
    std::vector<std::byte> bytes;
    for (const int value : values) {
        bytes.push_back(static_cast<std::byte>(value));
    }
    return bytes;
}

} // namespace tolvan::test
