// Run keys that fail part way, on the in-memory registry.
#include "entries/RunKeys.h"
#include "portable/MemoryRegistry.h"
#include "registry/RegistryValues.h"

#include <gtest/gtest.h>

namespace tolvan::test {
namespace {

using namespace platform;
using entries::Scope;
using portable::MemoryRegistry;
using portable::RegistryCall;

class ReadRunKeyFaults : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const wchar_t* name : {L"one", L"two", L"three"}) {
            EXPECT_EQ(registry::WriteString(registry, {reg::kCurrentUser, entries::kRunKeyPath},
                                            name, name),
                      0);
        }
        EXPECT_EQ(registry::WriteString(registry, {reg::kLocalMachine, entries::kRunKeyPath},
                                        L"machine", L"m"),
                  0);
    }
    ErrorCode Read(Scope scope) { return entries::ReadRunKey(registry, scope, read); }

    MemoryRegistry registry;
    std::vector<entries::StartupEntry> read;
};

// A call that fails part way ends the key with its code and what was read before kept.
TEST_F(ReadRunKeyFaults, AFailingCallEndsTheKeyWithItsCode)
{
    struct Row {
        RegistryCall call;
        int nth;
        ErrorCode code;
        ErrorCode result;
        std::vector<std::wstring> names;
    };
    const std::vector<Row> rows = {
        {RegistryCall::EnumValue, 3, reg::kMoreData, reg::kMoreData, {L"one", L"two"}},
        {RegistryCall::EnumValue, 1, reg::kAccessDenied, reg::kAccessDenied, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.code);
        read.clear();
        registry.FailCall(row.call, row.nth, row.code);
        EXPECT_EQ(Read(Scope::CurrentUser), row.result);
        std::vector<std::wstring> names;
        for (const entries::StartupEntry& entry : read) {
            names.push_back(entry.name);
        }
        EXPECT_EQ(names, row.names);
        EXPECT_EQ(registry.OpenKeyCount(), 0);
    }

    // The other root is still read.
    read.clear();
    EXPECT_EQ(Read(Scope::AllUsers), 0);
    EXPECT_EQ(read.size(), 1u);
}

TEST_F(ReadRunKeyFaults, ADeniedRunKeyGivesFiveAndNoRecords)
{
    registry.DenyAccess(reg::kCurrentUser, entries::kRunKeyPath);
    EXPECT_EQ(Read(Scope::CurrentUser), reg::kAccessDenied);
    EXPECT_EQ(Read(Scope::AllUsers), 0);
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].scope, Scope::AllUsers);
}

TEST_F(ReadRunKeyFaults, TheCloseResultIsTheStatusOfAFullRead)
{
    registry.FailCall(RegistryCall::Close, 1, 6);
    EXPECT_EQ(Read(Scope::CurrentUser), 6);
    EXPECT_EQ(read.size(), 3u);
}

} // namespace
} // namespace tolvan::test
