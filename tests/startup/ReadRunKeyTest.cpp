// Reading the Run keys into the entry table, on every registry backend.
#include "registry/modRegistry.h"
#include "startup/modTolvan.h"
#include "support/RegistryTestBase.h"

#include <algorithm>

namespace tolvan::test {
namespace {

using namespace platform;
using modRegistry::kRunKeyPath;
using modTolvan::entries;

class ReadRunKey : public RegistryTest {
protected:
    void SetUp() override
    {
        RegistryTest::SetUp();
        modTolvan::ClearEntries();
    }
    void TearDown() override
    {
        modTolvan::ClearEntries();
        RegistryTest::TearDown();
    }
    void Run(RootKey root, std::wstring_view name, const std::vector<std::byte>& data,
             std::uint32_t type = reg::kTypeSz)
    {
        Put(root, kRunKeyPath, name, type, data);
    }
    const modTolvan::RunEntry* Find(std::wstring_view name, RootKey root)
    {
        const auto it = std::find_if(entries.begin(), entries.end(), [&](const auto& e) {
            return e.Name == name && e.TopKey == root;
        });
        return it == entries.end() ? nullptr : &*it;
    }
};

TEST_P(ReadRunKey, RootZeroAndMissingKeysAddNothing)
{
    EXPECT_EQ(modTolvan::ReadRunKey(registry(), 0), 99);
    EXPECT_EQ(modTolvan::ReadRunKey(registry(), reg::kCurrentUser), reg::kFileNotFound);
    EXPECT_EQ(modTolvan::entryCount(), 0);

    // Keys that exist but hold no values.
    Run(reg::kCurrentUser, L"x", Utf16(L"x"));
    ASSERT_EQ(modRegistry::DeleteValue(registry(), reg::kCurrentUser, kRunKeyPath, L"x"), 0);
    EXPECT_EQ(modTolvan::ReadRunKey(registry(), reg::kCurrentUser), 0);
    EXPECT_EQ(modTolvan::entryCount(), 0);
}

TEST_P(ReadRunKey, ListsStringValuesOnlyWithTheirRoot)
{
    Run(reg::kCurrentUser, L"Same", Utf16(L"C:\\user.exe"));
    Run(reg::kCurrentUser, L"Expand", Utf16(L"%windir%\\x.exe"), reg::kTypeExpandSz);
    Run(reg::kCurrentUser, L"Number", Bytes({1, 0, 0, 0}), reg::kTypeDword);
    Run(reg::kLocalMachine, L"Same", Utf16(L"C:\\machine.exe"));
    Run(reg::kLocalMachine, L"Other", Utf16(L"C:\\other.exe"));

    EXPECT_EQ(modTolvan::ReadRunKey(registry(), reg::kCurrentUser), 0);
    EXPECT_EQ(modTolvan::ReadRunKey(registry(), reg::kLocalMachine), 0);

    ASSERT_EQ(modTolvan::entryCount(), 3);
    // Every current-user record comes before every all-users record.
    EXPECT_EQ(entries[0].TopKey, reg::kCurrentUser);
    EXPECT_EQ(entries[1].TopKey, reg::kLocalMachine);
    EXPECT_EQ(entries[2].TopKey, reg::kLocalMachine);
    ASSERT_NE(Find(L"Same", reg::kCurrentUser), nullptr);
    ASSERT_NE(Find(L"Same", reg::kLocalMachine), nullptr);
    EXPECT_EQ(Find(L"Same", reg::kCurrentUser)->Value, L"C:\\user.exe");
    EXPECT_EQ(Find(L"Same", reg::kLocalMachine)->Value, L"C:\\machine.exe");
    for (const auto& entry : entries) {
        EXPECT_TRUE(entry.DisplayText.empty() && entry.ExePath.empty() &&
                    entry.FileDescription.empty());
    }
}

TEST_P(ReadRunKey, TakesTheDataAsTextWithoutItsTerminator)
{
    Run(reg::kCurrentUser, L"a-terminated", Utf16(L"C:\\a.exe"));
    Run(reg::kCurrentUser, L"b-unterminated", Utf16(L"C:\\b.exe", false));
    Run(reg::kCurrentUser, L"c-nul-only", Utf16(L""));
    Run(reg::kCurrentUser, L"d-no-bytes", {});
    Run(reg::kCurrentUser, L"e-odd", Bytes({'a', 0, 'b', 0, 'c'}));
    Run(reg::kCurrentUser, L"f-inner-nul", Utf16(std::wstring(L"x\0y", 3)));
    Run(reg::kCurrentUser, L"g-two-nuls", Utf16(std::wstring(L"z\0", 2)));

    EXPECT_EQ(modTolvan::ReadRunKey(registry(), reg::kCurrentUser), 0);
    ASSERT_EQ(modTolvan::entryCount(), 7);
    EXPECT_EQ(Find(L"a-terminated", reg::kCurrentUser)->Value, L"C:\\a.exe");
    EXPECT_EQ(Find(L"b-unterminated", reg::kCurrentUser)->Value, L"C:\\b.exe");
    EXPECT_EQ(Find(L"c-nul-only", reg::kCurrentUser)->Value, L"");
    EXPECT_EQ(Find(L"d-no-bytes", reg::kCurrentUser)->Value, L"");
    EXPECT_EQ(Find(L"e-odd", reg::kCurrentUser)->Value, L"ab");
    EXPECT_EQ(Find(L"f-inner-nul", reg::kCurrentUser)->Value, std::wstring(L"x\0y", 3));
    // Only one terminator is removed.
    EXPECT_EQ(Find(L"g-two-nuls", reg::kCurrentUser)->Value, std::wstring(L"z\0", 2));
}

TEST_P(ReadRunKey, ALongNameHidesNothing)
{
    const std::wstring longName = L"A" + std::wstring(9999, L'x');
    Run(reg::kCurrentUser, longName, Utf16(L"C:\\long.exe"));
    Run(reg::kCurrentUser, L"B after", Utf16(L"C:\\b.exe"));
    Run(reg::kCurrentUser, L"C after", Utf16(L"C:\\c.exe"));

    EXPECT_EQ(modTolvan::ReadRunKey(registry(), reg::kCurrentUser), 0);
    ASSERT_EQ(modTolvan::entryCount(), 3);
    ASSERT_NE(Find(longName, reg::kCurrentUser), nullptr);
    EXPECT_EQ(Find(longName, reg::kCurrentUser)->Value, L"C:\\long.exe");
    EXPECT_NE(Find(L"B after", reg::kCurrentUser), nullptr);
    EXPECT_NE(Find(L"C after", reg::kCurrentUser), nullptr);
}

// The longest name the registry allows, a name of spaces alone and the unnamed default value are
// entries like any other.
TEST_P(ReadRunKey, NamesAtTheRegistrysLimitsAreEntriesLikeAnyOther)
{
    const std::wstring longest = L"L" + std::wstring(reg::kMaxValueNameChars - 1, L'n');
    Run(reg::kCurrentUser, longest, Utf16(L"C:\\long.exe"));
    Run(reg::kCurrentUser, L"   ", Utf16(L"C:\\spaces.exe"));
    Run(reg::kCurrentUser, L"", Utf16(L"C:\\default.exe"));
    Run(reg::kCurrentUser, L"after", Utf16(L"C:\\after.exe"));

    EXPECT_EQ(modTolvan::ReadRunKey(registry(), reg::kCurrentUser), 0);
    ASSERT_EQ(modTolvan::entryCount(), 4);
    ASSERT_NE(Find(longest, reg::kCurrentUser), nullptr);
    EXPECT_EQ(Find(longest, reg::kCurrentUser)->Value, L"C:\\long.exe");
    ASSERT_NE(Find(L"   ", reg::kCurrentUser), nullptr);
    EXPECT_EQ(Find(L"   ", reg::kCurrentUser)->Value, L"C:\\spaces.exe");
    ASSERT_NE(Find(L"", reg::kCurrentUser), nullptr);
    EXPECT_EQ(Find(L"", reg::kCurrentUser)->Value, L"C:\\default.exe");
    EXPECT_NE(Find(L"after", reg::kCurrentUser), nullptr);
}

TEST_P(ReadRunKey, TextOutsideAnyCodePageComesBackUnchanged)
{
    const std::wstring name = L"\u0150r\u00FCl\u0151 \u4E2D\u6587";
    const std::wstring command = L"C:\\\u00C1rv\u00EDzt\u0171r\u0151\\\u4E2D.exe /\u00DF";
    ASSERT_EQ(
        modRegistry::SetStringValue(registry(), reg::kLocalMachine, kRunKeyPath, name, command), 0);
    EXPECT_EQ(modTolvan::ReadRunKey(registry(), reg::kLocalMachine), 0);
    ASSERT_EQ(modTolvan::entryCount(), 1);
    EXPECT_EQ(entries[0].Name, name);
    EXPECT_EQ(entries[0].Value, command);
}

TOLVAN_FOR_EACH_REGISTRY(ReadRunKey);

} // namespace
} // namespace tolvan::test
