#pragma once

#include "Fixtures.h"
#include "HeadlessUi.h"

#include <array>
#include <filesystem>

namespace tolvan::test {

// The main window over the fixture programs, which stand on drive F:. The program's own module
// is the fixture with file version 1.2.0.1.
class MainWindowFixture : public HeadlessUi {
protected:
    MainWindowFixture()
    {
        drives.Map(L'F', std::filesystem::path(FixtureDirectory()));
        versions.SetModule(L"tolvan.exe", L"F:\\full.exe");
        versions.SetRunningModule(L"tolvan.exe");
    }

    // The stored bytes of the language value; empty when there is none.
    std::vector<std::byte> StoredLanguageBytes()
    {
        platform::KeyHandle key = 0;
        if (registry.OpenKey(platform::reg::kCurrentUser, ui::kSettingsKeyPath,
                             platform::reg::kKeyQueryValue, key) != platform::reg::kSuccess) {
            return {};
        }
        std::array<std::byte, 16> data{};
        std::uint32_t size = data.size();
        std::uint32_t type = 0;
        const auto result =
            registry.QueryValue(key, ui::kLanguageValueName, &type, data.data(), &size);
        static_cast<void>(registry.CloseKey(key));
        if (result != platform::reg::kSuccess) {
            return {};
        }
        return {data.begin(), data.begin() + size};
    }
};

} // namespace tolvan::test
