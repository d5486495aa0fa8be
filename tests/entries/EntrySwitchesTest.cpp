// The on/off switches Task Manager keeps beside the Run entries, on every registry backend: the
// byte rules as stored and read back, and carrying a switch with its entry.
#include "entries/EntrySwitches.h"

#include "support/Entries.h"
#include "support/RegistryTestBase.h"

#include <array>

namespace tolvan::test {
namespace {

using namespace platform;
using entries::Scope;

// A FILETIME, and its bytes as stored (little-endian).
constexpr std::uint64_t kMoment = 0x01DD68A2B1C2D3E4ull;
constexpr std::array<std::uint8_t, 8> kMomentBytes{0xE4, 0xD3, 0xC2, 0xB1, 0xA2, 0x68, 0xDD, 0x01};

// A switch as Task Manager stores it: the first byte, three zeros and the moment or zeros.
std::vector<std::byte> Switch(int first, bool stamped = false)
{
    std::vector<std::byte> bytes(12);
    bytes[0] = static_cast<std::byte>(first);
    for (std::size_t k = 0; stamped && k < kMomentBytes.size(); ++k) {
        bytes[4 + k] = static_cast<std::byte>(kMomentBytes[k]);
    }
    return bytes;
}

class SwitchKeys : public RegistryTest {
protected:
    // The value at its place on disk: every switch lives in the 64-bit view.
    bool Stored(RootKey root, const platform::NulTerminated& key,
                const platform::NulTerminated& name, std::vector<std::byte>& data)
    {
        std::uint32_t type = 0;
        return Get(root, key, name, type, data) && type == reg::kTypeBinary;
    }
    bool Stored(RootKey root, const platform::NulTerminated& key,
                const platform::NulTerminated& name)
    {
        std::vector<std::byte> ignored;
        return Stored(root, key, name, ignored);
    }
};

constexpr std::wstring_view kRun = entries::kRunSwitchesKeyPath;
constexpr platform::NulTerminated kRun32 = entries::kRun32BitSwitchesKeyPath;

TEST_P(SwitchKeys, ReadingFollowsBitZeroOfTheFirstByteAndTheTwelveByteTime)
{
    struct Row {
        const wchar_t* name;
        std::uint32_t type;
        std::vector<std::byte> data;
        bool switchedOff;
        std::uint64_t since;
    };
    const std::vector<Row> rows{
        {L"03 with a time", reg::kTypeBinary, Switch(0x03, true), true, kMoment},
        {L"07 with a time", reg::kTypeBinary, Switch(0x07, true), true, kMoment},
        {L"03 with a zero time", reg::kTypeBinary, Switch(0x03), true, 0},
        {L"03 alone", reg::kTypeBinary, Bytes({0x03}), true, 0},
        {L"03 with a cut time", reg::kTypeBinary, Bytes({0x03, 0, 0, 0, 0xE4, 0xD3}), true, 0},
        {L"03 with a time and more", reg::kTypeBinary,
         Bytes({0x03, 0, 0, 0, 0xE4, 0xD3, 0xC2, 0xB1, 0xA2, 0x68, 0xDD, 0x01, 0}), true, 0},
        {L"02", reg::kTypeBinary, Switch(0x02), false, 0},
        {L"06", reg::kTypeBinary, Switch(0x06), false, 0},
        {L"00", reg::kTypeBinary, Switch(0x00), false, 0},
        {L"02 with a time", reg::kTypeBinary, Switch(0x02, true), false, 0},
        {L"empty", reg::kTypeBinary, {}, false, 0},
        {L"03 as a DWORD", reg::kTypeDword, Bytes({0x03, 0, 0, 0}), false, 0},
    };
    std::vector<entries::StartupEntry> listed;
    for (const Row& row : rows) {
        Put(reg::kCurrentUser, entries::kRunSwitchesKeyPath, row.name, row.type, row.data);
        listed.push_back(MakeEntry(Scope::CurrentUser, row.name, L""));
    }
    listed.push_back(MakeEntry(Scope::CurrentUser, L"no switch", L""));
    listed.push_back(MakeEntry(Scope::AllUsers, L"03 with a time", L"")); // another key
    EXPECT_EQ(entries::ReadSwitches(Registry(), Scope::CurrentUser, listed), 0);
    for (std::size_t k = 0; k < rows.size(); ++k) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(rows[k].name)));
        EXPECT_EQ(listed[k].switchedOff, rows[k].switchedOff);
        EXPECT_EQ(listed[k].switchedOffSince, rows[k].since);
    }
    EXPECT_FALSE(listed[rows.size()].switchedOff);
    EXPECT_FALSE(listed[rows.size() + 1].switchedOff);
}

TEST_P(SwitchKeys, WritingKeepsTaskManagersVariantAndStampsTheTime)
{
    struct Row {
        const wchar_t* name;
        std::uint32_t type; // none: no value before
        std::vector<std::byte> old;
        int disabledFirst;
        int enabledFirst;
    };
    const std::vector<Row> rows{
        {L"nothing", reg::kTypeNone, {}, 0x03, 0x02},
        {L"02", reg::kTypeBinary, Switch(0x02), 0x03, 0x02},
        {L"06", reg::kTypeBinary, Switch(0x06), 0x07, 0x02},
        {L"03", reg::kTypeBinary, Switch(0x03, true), 0x03, 0x02},
        {L"07", reg::kTypeBinary, Switch(0x07), 0x03, 0x06},
        {L"00", reg::kTypeBinary, Switch(0x00), 0x03, 0x02},
        {L"06 as a DWORD", reg::kTypeDword, Bytes({0x06, 0, 0, 0}), 0x03, 0x02},
        {L"07 as a DWORD", reg::kTypeDword, Bytes({0x07, 0, 0, 0}), 0x03, 0x02},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(row.name)));
        for (const bool disabled : {true, false}) {
            (void)entries::RemoveSwitch(Registry(), Scope::AllUsers32Bit, row.name);
            if (row.type != reg::kTypeNone) {
                Put(reg::kLocalMachine, kRun32, row.name, row.type, row.old);
            }
            ASSERT_EQ(
                entries::WriteSwitch(Registry(), Scope::AllUsers32Bit, row.name, disabled, kMoment),
                0);
            std::vector<std::byte> stored;
            ASSERT_TRUE(Stored(reg::kLocalMachine, kRun32, row.name, stored));
            EXPECT_EQ(stored,
                      disabled ? Switch(row.disabledFirst, true) : Switch(row.enabledFirst));
        }
    }
}

TOLVAN_FOR_EACH_REGISTRY(SwitchKeys);

} // namespace
} // namespace tolvan::test
