// Failures in the middle of a registry operation: the code of the failing call comes back and no
// key stays open. Only the in-memory registry can be made to fail on cue.
#include "platform/portable/MemoryRegistry.h"
#include "registry/modRegistry.h"

#include <gtest/gtest.h>

namespace tolvan::test {
namespace {

using namespace platform;
using portable::MemoryRegistry;
using portable::RegistryCall;

constexpr std::wstring_view kKey = L"Software\\TolvanTests";

TEST(ModRegistryFaults, TheFailingCallDecidesTheResultAndTheKeyIsClosed)
{
    struct Case {
        RegistryCall call;
        RegResult code;
    };
    for (const Case c : {Case{RegistryCall::Create, 5}, Case{RegistryCall::SetValue, 1450},
                         Case{RegistryCall::Close, 6}}) {
        MemoryRegistry registry;
        registry.FailCall(c.call, 1, c.code);
        EXPECT_EQ(modRegistry::SetBinaryValue(registry, reg::kCurrentUser, kKey, L"n", 1), c.code);
        EXPECT_EQ(registry.OpenKeyCount(), 0);
        registry.FailCall(c.call, 1, c.code);
        EXPECT_EQ(modRegistry::SetStringValue(registry, reg::kCurrentUser, kKey, L"s", L"x"),
                  c.code);
        EXPECT_EQ(registry.OpenKeyCount(), 0);
    }
}

TEST(ModRegistryFaults, ReadingAndDeletingCloseTheirKeyOnEveryPath)
{
    MemoryRegistry registry;
    ASSERT_EQ(modRegistry::SetBinaryValue(registry, reg::kCurrentUser, kKey, L"n", 1), 0);
    std::int32_t value = 0;

    registry.FailCall(RegistryCall::QueryValue, 1, 1450);
    EXPECT_EQ(modRegistry::GetBinaryValue(registry, reg::kCurrentUser, kKey, L"n", 4, value), 1450);
    EXPECT_EQ(value, 4);
    registry.FailCall(RegistryCall::Close, 1, 6);
    EXPECT_EQ(modRegistry::GetBinaryValue(registry, reg::kCurrentUser, kKey, L"n", 4, value), 6);
    EXPECT_EQ(registry.OpenKeyCount(), 0);

    // The delete's own code is the result, whatever the close gives.
    registry.FailCall(RegistryCall::Close, 1, 6);
    EXPECT_EQ(modRegistry::DeleteValue(registry, reg::kCurrentUser, kKey, L"n"), 0);
    registry.FailCall(RegistryCall::DeleteValue, 1, 5);
    EXPECT_EQ(modRegistry::DeleteValue(registry, reg::kCurrentUser, kKey, L"n"), 5);
    EXPECT_EQ(registry.OpenKeyCount(), 0);
}

TEST(ModRegistryFaults, ADeniedKeyCannotBeReadOrWritten)
{
    MemoryRegistry registry;
    registry.DenyAccess(reg::kCurrentUser, modRegistry::kSettingsKeyPath);
    EXPECT_FALSE(modRegistry::SaveLanguage(registry, 1));
    EXPECT_EQ(modRegistry::LoadLanguage(registry), 0);
    EXPECT_EQ(modRegistry::DeleteValue(registry, reg::kCurrentUser, modRegistry::kSettingsKeyPath,
                                       modRegistry::kLanguageValueName),
              reg::kAccessDenied);
    // Creating a key below a denied one is refused too.
    EXPECT_EQ(modRegistry::SetStringValue(registry, reg::kCurrentUser, L"Software\\Kavrenta\\Sub",
                                          L"v", L"x"),
              reg::kAccessDenied);
    EXPECT_EQ(registry.OpenKeyCount(), 0);
}

} // namespace
} // namespace tolvan::test
