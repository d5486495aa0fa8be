#pragma once

#include "entries/EntryTable.h"
#include "platform/Utf16.h"
#include "portable/HeadlessWindowSystem.h"
#include "registry/RegistryValues.h"
#include "support/ScriptedPlatform.h"
#include "ui/LanguageSetting.h"
#include "ui/MainWindow.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace tolvan::test {

// A Run value as stored: its text without the NUL, and its type.
struct StoredCommand {
    std::wstring text;
    std::uint32_t type = platform::reg::kTypeSz;
    bool operator==(const StoredCommand&) const = default;
};

inline void PrintTo(const StoredCommand& value, std::ostream* out)
{
    *out << "type " << value.type << ", " << value.text.size() << " characters";
}

// The portable services and the headless window system, the state the windows share, the main
// window over them, and helpers to look at the Run keys.
class HeadlessUi : public ::testing::Test, protected ScriptedPlatform {
protected:
    // Shows the main window, loading it in this language.
    ui::MainWindow& Open(ui::Language speaking = ui::Language::English)
    {
        language.Set(speaking);
        mainWindow.Show();
        ListAllRows();
        return mainWindow;
    }

    // Turns the window's timer as the message loop would until a long list has all its rows: the
    // window fills it a while at a time.
    void ListAllRows()
    {
        while (mainWindow.Controls().entryList.Items().size() <
               mainWindow.Listed().entries.size()) {
            mainWindow.Controls().readingTimer.RaiseTimer();
        }
    }

    void PutRunValue(platform::RootKey root, const platform::NulTerminated& name,
                     std::wstring_view command)
    {
        ASSERT_EQ(registry::WriteString(registry, {root, entries::kRunKeyPath}, name, command),
                  platform::reg::kSuccess);
    }

    void PutRunValue(entries::Scope scope, const platform::NulTerminated& name,
                     std::wstring_view command, std::uint32_t type)
    {
        ASSERT_EQ(registry::WriteString(registry, entries::RunKeyOf(scope), name, command, type),
                  platform::reg::kSuccess);
    }

    void RemoveRunValue(platform::RootKey root, const platform::NulTerminated& name)
    {
        ASSERT_EQ(registry::DeleteValue(registry, {root, entries::kRunKeyPath}, name),
                  platform::reg::kSuccess);
    }

    // The REG_SZ values of one root's Run key, by name, as stored (without the NUL).
    std::map<std::wstring, std::wstring> RunValues(platform::RootKey root)
    {
        std::map<std::wstring, std::wstring> texts;
        for (auto& [name, value] : StoredRunValues({root, entries::kRunKeyPath})) {
            EXPECT_EQ(value.type, platform::reg::kTypeSz) << "value " << ToUtf8(name);
            texts.emplace(name, std::move(value.text));
        }
        return texts;
    }

    // The values of a scope's Run key, by name, with their types.
    std::map<std::wstring, StoredCommand> RunValues(entries::Scope scope)
    {
        return StoredRunValues(entries::RunKeyOf(scope));
    }

    std::map<std::wstring, StoredCommand> StoredRunValues(const registry::KeyPath& path)
    {
        std::map<std::wstring, StoredCommand> values;
        platform::KeyHandle raw = 0;
        if (registry.OpenKey(path.root, path.subKey, platform::reg::kKeyQueryValue | path.view,
                             raw) != platform::reg::kSuccess) {
            return values;
        }
        platform::OwnedKey key = platform::Own(registry, raw);
        std::vector<wchar_t> name(platform::reg::kMaxValueNameChars + 1);
        for (std::uint32_t index = 0;; ++index) {
            std::uint32_t nameLength = 0;
            std::uint32_t type = 0;
            std::uint32_t size = 0;
            if (registry.EnumValue(key.get(), index, name, nameLength, type, {}, size) !=
                platform::reg::kSuccess) {
                break;
            }
            const std::wstring valueName(name.data(), nameLength);
            std::vector<std::byte> data(size);
            EXPECT_EQ(registry.QueryValue(key.get(), valueName, &type, data.data(), &size),
                      platform::reg::kSuccess);
            std::wstring text = platform::FromUtf16Le(data);
            text.resize(std::min(text.size(), text.find(L'\0')));
            values.emplace(valueName, StoredCommand{text, type});
        }
        return values;
    }

    // Selects the listed entry of this name (and scope, when given), as the user's click does.
    void SelectListed(std::wstring_view name, std::optional<entries::Scope> scope = std::nullopt)
    {
        for (std::size_t i = 0; i < table.Count(); ++i) {
            const entries::StartupEntry& entry = table.Entries()[i];
            if (entry.name == name && (!scope || entry.scope == *scope)) {
                mainWindow.Controls().entryList.SetSelectedIndex(static_cast<std::ptrdiff_t>(i));
                return;
            }
        }
        FAIL() << "no entry named " << ToUtf8(name);
    }

    // The names of the entries in the order the list shows them.
    std::vector<std::wstring> ListedNames() const
    {
        std::vector<std::wstring> names;
        for (const entries::StartupEntry& entry : table.Entries()) {
            names.push_back(entry.name);
        }
        return names;
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
    ui::InterfaceLanguage language;
    entries::EntryTable table{services, 0}; // refills made whole as they are started
    ui::MainWindow mainWindow{services, windows, language, table};
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
