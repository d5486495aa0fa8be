// Run keys that fail part way, on the in-memory registry.
#include "entries/RunKeys.h"
#include "platform/portable/MemoryRegistry.h"
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
    RegResult Read(Scope scope) { return entries::ReadRunKey(registry, scope, read); }

    MemoryRegistry registry;
    std::vector<entries::StartupEntry> read;
};

TEST_F(ReadRunKeyFaults, AFailingQueryKeepsWhatWasReadAndClosesTheKey)
{
    registry.FailCall(RegistryCall::QueryValue, 2, 1450);
    EXPECT_EQ(Read(Scope::CurrentUser), 1450);
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].name, L"one");
    EXPECT_EQ(registry.OpenKeyCount(), 0);

    // The other root is still read.
    EXPECT_EQ(Read(Scope::AllUsers), 0);
    EXPECT_EQ(read.size(), 2u);
}

TEST_F(ReadRunKeyFaults, AFailingEnumerationEndsTheRootQuietly)
{
    registry.FailCall(RegistryCall::EnumValue, 3, reg::kMoreData);
    EXPECT_EQ(Read(Scope::CurrentUser), 0);
    EXPECT_EQ(read.size(), 2u);
    EXPECT_EQ(registry.OpenKeyCount(), 0);
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
