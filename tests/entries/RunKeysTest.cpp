// Reading the Run keys into the entry table, on every registry backend.
#include "entries/RunKeys.h"

#include "registry/RegistryValues.h"
#include "support/RegistryTestBase.h"

#include <algorithm>

namespace tolvan::test {
namespace {

using namespace platform;
using namespace std::literals;
using entries::kRunKeyPath;
using entries::Scope;

class ReadRunKey : public RegistryTest {
protected:
    ErrorCode Read(Scope scope) { return entries::ReadRunKey(Registry(), scope, read); }
    void Run(RootKey root, const platform::NulTerminated& name, const std::vector<std::byte>& data,
             std::uint32_t type = reg::kTypeSz)
    {
        Put(root, kRunKeyPath, name, type, data);
    }
    const entries::StartupEntry* Find(const platform::NulTerminated& name, Scope scope)
    {
        const auto it = std::find_if(read.begin(), read.end(), [&](const auto& e) {
            return e.name == name && e.scope == scope;
        });
        return it == read.end() ? nullptr : &*it;
    }

    std::vector<entries::StartupEntry> read;
};

TEST_P(ReadRunKey, MissingKeysAddNothing)
{
    EXPECT_EQ(Read(Scope::CurrentUser), reg::kFileNotFound);
    EXPECT_EQ(read.size(), 0u);

    // Keys that exist but hold no values.
    Run(reg::kCurrentUser, L"x", Utf16(L"x"));
    ASSERT_EQ(registry::DeleteValue(Registry(), {reg::kCurrentUser, kRunKeyPath}, L"x"), 0);
    EXPECT_EQ(Read(Scope::CurrentUser), 0);
    EXPECT_EQ(read.size(), 0u);
}

// The 32-bit programs' Run key of the machine, where 64-bit Windows stores it.
constexpr platform::NulTerminated k32BitRunKeyPath =
    L"SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";

TEST_P(ReadRunKey, ListsStringAndExpandableValuesOfEachScopeFromItsOwnKey)
{
    Run(reg::kCurrentUser, L"Same", Utf16(L"C:\\user.exe"));
    Run(reg::kCurrentUser, L"Expand", Utf16(L"%windir%\\x.exe"), reg::kTypeExpandSz);
    Run(reg::kCurrentUser, L"Number", Bytes({1, 0, 0, 0}), reg::kTypeDword);
    Run(reg::kLocalMachine, L"Same", Utf16(L"C:\\machine.exe"));
    Run(reg::kLocalMachine, L"Binary", Utf16(L"C:\\binary.exe"), reg::kTypeBinary);
    Put(reg::kLocalMachine, k32BitRunKeyPath, L"Same", reg::kTypeSz, Utf16(L"C:\\x86.exe"));

    EXPECT_EQ(Read(Scope::CurrentUser), 0);
    EXPECT_EQ(Read(Scope::AllUsers), 0);
    EXPECT_EQ(Read(Scope::AllUsers32Bit), 0);

    // In the order of the keys: the same name in three scopes is three entries.
    ASSERT_EQ(read.size(), 4u);
    EXPECT_EQ(read[0].scope, Scope::CurrentUser);
    EXPECT_EQ(read[1].scope, Scope::CurrentUser);
    EXPECT_EQ(read[2].scope, Scope::AllUsers);
    EXPECT_EQ(read[3].scope, Scope::AllUsers32Bit);
    ASSERT_NE(Find(L"Expand", Scope::CurrentUser), nullptr);
    // Stored as it is, unexpanded, with its type.
    EXPECT_EQ(Find(L"Expand", Scope::CurrentUser)->command, L"%windir%\\x.exe");
    EXPECT_EQ(Find(L"Expand", Scope::CurrentUser)->valueType, reg::kTypeExpandSz);
    EXPECT_EQ(Find(L"Same", Scope::CurrentUser)->valueType, reg::kTypeSz);
    EXPECT_EQ(Find(L"Same", Scope::CurrentUser)->command, L"C:\\user.exe");
    EXPECT_EQ(Find(L"Same", Scope::AllUsers)->command, L"C:\\machine.exe");
    ASSERT_NE(Find(L"Same", Scope::AllUsers32Bit), nullptr);
    EXPECT_EQ(Find(L"Same", Scope::AllUsers32Bit)->command, L"C:\\x86.exe");
    for (const auto& entry : read) {
        EXPECT_TRUE(entry.displayText.empty() && entry.programPath.empty() &&
                    entry.description.empty());
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

    EXPECT_EQ(Read(Scope::CurrentUser), 0);
    ASSERT_EQ(read.size(), 7u);
    EXPECT_EQ(Find(L"a-terminated", Scope::CurrentUser)->command, L"C:\\a.exe");
    EXPECT_EQ(Find(L"b-unterminated", Scope::CurrentUser)->command, L"C:\\b.exe");
    EXPECT_EQ(Find(L"c-nul-only", Scope::CurrentUser)->command, L"");
    EXPECT_EQ(Find(L"d-no-bytes", Scope::CurrentUser)->command, L"");
    EXPECT_EQ(Find(L"e-odd", Scope::CurrentUser)->command, L"ab");
    EXPECT_EQ(Find(L"f-inner-nul", Scope::CurrentUser)->command, std::wstring(L"x\0y", 3));
    // Only one terminator is removed.
    EXPECT_EQ(Find(L"g-two-nuls", Scope::CurrentUser)->command, std::wstring(L"z\0", 2));
}

TEST_P(ReadRunKey, ALongNameHidesNothing)
{
    const std::wstring longName = L"A" + std::wstring(9999, L'x');
    Run(reg::kCurrentUser, longName, Utf16(L"C:\\long.exe"));
    Run(reg::kCurrentUser, L"B after", Utf16(L"C:\\b.exe"));
    Run(reg::kCurrentUser, L"C after", Utf16(L"C:\\c.exe"));

    EXPECT_EQ(Read(Scope::CurrentUser), 0);
    ASSERT_EQ(read.size(), 3u);
    ASSERT_NE(Find(longName, Scope::CurrentUser), nullptr);
    EXPECT_EQ(Find(longName, Scope::CurrentUser)->command, L"C:\\long.exe");
    EXPECT_NE(Find(L"B after", Scope::CurrentUser), nullptr);
    EXPECT_NE(Find(L"C after", Scope::CurrentUser), nullptr);
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

    EXPECT_EQ(Read(Scope::CurrentUser), 0);
    ASSERT_EQ(read.size(), 4u);
    ASSERT_NE(Find(longest, Scope::CurrentUser), nullptr);
    EXPECT_EQ(Find(longest, Scope::CurrentUser)->command, L"C:\\long.exe");
    ASSERT_NE(Find(L"   ", Scope::CurrentUser), nullptr);
    EXPECT_EQ(Find(L"   ", Scope::CurrentUser)->command, L"C:\\spaces.exe");
    ASSERT_NE(Find(L"", Scope::CurrentUser), nullptr);
    EXPECT_EQ(Find(L"", Scope::CurrentUser)->command, L"C:\\default.exe");
    EXPECT_NE(Find(L"after", Scope::CurrentUser), nullptr);
}

// A name is counted: one that holds a NUL is its own entry, read with its own data, and hides
// neither the value of the name cut at the NUL nor any value after it, even as the key's first.
TEST_P(ReadRunKey, ANameHoldingANulIsAnEntryOfItsOwnAndHidesNone)
{
    const std::pair<std::wstring, std::wstring> values[] = {
        {L"A\0xx"s, L"C:\\a.exe"},
        {L"Evil", L"C:\\evil.exe"},
        {L"Evil\0hidd"s, L"C:\\hidden.exe -q"},
        {L"Z", L"C:\\z.exe"},
    };
    for (const auto& [name, command] : values) {
        Run(reg::kCurrentUser, name, Utf16(command));
    }
    EXPECT_EQ(Read(Scope::CurrentUser), 0);
    EXPECT_EQ(read.size(), std::size(values));
    for (const auto& [name, command] : values) {
        const entries::StartupEntry* entry = Find(name, Scope::CurrentUser);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->command, command);
        EXPECT_EQ(entry->valueData, Utf16(command));
    }
}

TEST_P(ReadRunKey, TextOutsideAnyCodePageComesBackUnchanged)
{
    const std::wstring name = L"\u0150r\u00FCl\u0151 \u4E2D\u6587";
    const std::wstring command = L"C:\\\u00C1rv\u00EDzt\u0171r\u0151\\\u4E2D.exe /\u00DF";
    ASSERT_EQ(registry::WriteString(Registry(), {reg::kLocalMachine, kRunKeyPath}, name, command),
              0);
    EXPECT_EQ(Read(Scope::AllUsers), 0);
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].name, name);
    EXPECT_EQ(read[0].command, command);
}

// Windows also starts what the policy Run keys and, once, the RunOnce keys hold. A RunOnce
// name's leading '!' or '*' is Windows' own flag, kept as part of the name.
TEST_P(ReadRunKey, ThePolicyAndRunOnceKeysAreReadFromTheirOwnKeysAndViews)
{
    constexpr platform::NulTerminated kPolicy =
        L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run";
    constexpr platform::NulTerminated kOnce =
        L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
    constexpr platform::NulTerminated kOnce32 =
        L"SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
    const struct {
        const platform::NulTerminated& key;
        const wchar_t* name;
        RootKey root;
        Scope scope;
    } rows[] = {
        {kPolicy, L"User policy", reg::kCurrentUser, Scope::CurrentUserPolicy},
        {kPolicy, L"Machine policy", reg::kLocalMachine, Scope::AllUsersPolicy},
        {kOnce, L"!Until it succeeds", reg::kCurrentUser, Scope::CurrentUserOnce},
        {kOnce, L"*Even in safe mode", reg::kLocalMachine, Scope::AllUsersOnce},
        {kOnce32, L"Once, 32-bit", reg::kLocalMachine, Scope::AllUsersOnce32Bit},
    };
    for (const auto& row : rows) {
        Put(row.root, row.key, row.name, reg::kTypeSz, Utf16(std::wstring(L"C:\\") + row.name));
    }
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(row.scope));
        read.clear();
        EXPECT_EQ(Read(row.scope), 0);
        ASSERT_EQ(read.size(), 1u) << "read from another scope's key";
        EXPECT_EQ(read[0].name, row.name);
        EXPECT_EQ(read[0].command, std::wstring(L"C:\\") + row.name);
    }
}

TOLVAN_FOR_EACH_REGISTRY(ReadRunKey);

} // namespace
} // namespace tolvan::test
