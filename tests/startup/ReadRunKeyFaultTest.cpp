// Run keys that fail part way, on the in-memory registry.
#include "platform/portable/MemoryRegistry.h"
#include "registry/modRegistry.h"
#include "startup/modTolvan.h"

#include <gtest/gtest.h>

namespace tolvan::test {
namespace {

using namespace platform;
using portable::MemoryRegistry;
using portable::RegistryCall;

class ReadRunKeyFaults : public ::testing::Test {
protected:
    void SetUp() override
    {
        modTolvan::ClearEntries();
        for (const wchar_t* name : {L"one", L"two", L"three"}) {
            EXPECT_EQ(modRegistry::SetStringValue(registry, reg::kCurrentUser,
                                                  modRegistry::kRunKeyPath, name, name),
                      0);
        }
        EXPECT_EQ(modRegistry::SetStringValue(registry, reg::kLocalMachine,
                                              modRegistry::kRunKeyPath, L"machine", L"m"),
                  0);
    }
    void TearDown() override { modTolvan::ClearEntries(); }

    MemoryRegistry registry;
};

TEST_F(ReadRunKeyFaults, AFailingQueryKeepsWhatWasReadAndClosesTheKey)
{
    registry.FailCall(RegistryCall::QueryValue, 2, 1450);
    EXPECT_EQ(modTolvan::ReadRunKey(registry, reg::kCurrentUser), 1450);
    ASSERT_EQ(modTolvan::entryCount(), 1);
    EXPECT_EQ(modTolvan::entries[0].Name, L"one");
    EXPECT_EQ(registry.OpenKeyCount(), 0);

    // The other root is still read.
    EXPECT_EQ(modTolvan::ReadRunKey(registry, reg::kLocalMachine), 0);
    EXPECT_EQ(modTolvan::entryCount(), 2);
}

TEST_F(ReadRunKeyFaults, AFailingEnumerationEndsTheRootQuietly)
{
    registry.FailCall(RegistryCall::EnumValue, 3, reg::kMoreData);
    EXPECT_EQ(modTolvan::ReadRunKey(registry, reg::kCurrentUser), 0);
    EXPECT_EQ(modTolvan::entryCount(), 2);
    EXPECT_EQ(registry.OpenKeyCount(), 0);
}

TEST_F(ReadRunKeyFaults, ADeniedRunKeyGivesFiveAndNoRecords)
{
    registry.DenyAccess(reg::kCurrentUser, modRegistry::kRunKeyPath);
    EXPECT_EQ(modTolvan::ReadRunKey(registry, reg::kCurrentUser), reg::kAccessDenied);
    EXPECT_EQ(modTolvan::ReadRunKey(registry, reg::kLocalMachine), 0);
    ASSERT_EQ(modTolvan::entryCount(), 1);
    EXPECT_EQ(modTolvan::entries[0].TopKey, reg::kLocalMachine);
}

TEST_F(ReadRunKeyFaults, TheCloseResultIsTheStatusOfAFullRead)
{
    registry.FailCall(RegistryCall::Close, 1, 6);
    EXPECT_EQ(modTolvan::ReadRunKey(registry, reg::kCurrentUser), 6);
    EXPECT_EQ(modTolvan::entryCount(), 3);
}

} // namespace
} // namespace tolvan::test
