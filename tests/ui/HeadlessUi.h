#pragma once

#include "platform/Platform.h"
#include "platform/Utf16.h"
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

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tolvan::test {

// The portable services and the headless window system, with helpers to look at the Run keys.
class HeadlessUi : public ::testing::Test, protected ScriptedPlatform {
protected:
    void TearDown() override
    {
        modTolvan::langFlag = 0;
        modTolvan::ClearEntries();
    }

    void PutRunValue(platform::RootKey root, std::wstring_view name, std::wstring_view command)
    {
        ASSERT_EQ(
            modRegistry::SetStringValue(registry, root, modRegistry::kRunKeyPath, name, command),
            0);
    }

    // The REG_SZ values of one root's Run key, by name, as stored (without the NUL).
    std::map<std::wstring, std::wstring> RunValues(platform::RootKey root)
    {
        std::map<std::wstring, std::wstring> values;
        platform::KeyHandle raw = 0;
        if (registry.OpenKey(root, modRegistry::kRunKeyPath, platform::reg::kKeyQueryValue, raw) !=
            0) {
            return values;
        }
        platform::OwnedKey key = platform::Own(registry, raw);
        std::vector<wchar_t> name(platform::reg::kMaxValueNameChars + 1);
        for (std::uint32_t index = 0;; ++index) {
            std::uint32_t nameLength = 0;
            std::uint32_t type = 0;
            std::uint32_t size = 0;
            if (registry.EnumValue(key.get(), index, name, nameLength, type, size) != 0) {
                break;
            }
            const std::wstring valueName(name.data(), nameLength);
            std::vector<std::byte> data(size);
            EXPECT_EQ(registry.QueryValue(key.get(), valueName, &type, data.data(), &size), 0);
            EXPECT_EQ(type, platform::reg::kTypeSz) << "value " << ToUtf8(valueName);
            std::wstring text = platform::FromUtf16Le(data);
            text.resize(std::min(text.size(), text.find(L'\0')));
            values.emplace(valueName, text);
        }
        return values;
    }

    static std::string ToUtf8(std::wstring_view text)
    {
        std::string narrow;
        for (const wchar_t c : text) {
            narrow += c < 0x80 ? static_cast<char>(c) : '?';
        }
        return narrow;
    }

    platform::portable::HeadlessWindowSystem windows;
};

} // namespace tolvan::test
