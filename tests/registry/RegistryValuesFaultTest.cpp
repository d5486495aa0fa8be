// Failures in the middle of a registry operation: the code of the failing call comes back and no
// key stays open. Only the in-memory registry can be made to fail on cue.
#include "portable/MemoryRegistry.h"
#include "registry/RegistryValues.h"
#include "ui/LanguageSetting.h"

#include <gtest/gtest.h>

namespace tolvan::test {
namespace {

using namespace platform;
using portable::MemoryRegistry;
using portable::RegistryCall;

constexpr platform::NulTerminated kKey = L"Software\\TolvanTests";

TEST(RegistryValuesFaults, TheFailingCallDecidesTheResultAndTheKeyIsClosed)
{
    struct Case {
        RegistryCall call;
        ErrorCode code;
    };
    for (const Case c : {Case{RegistryCall::Create, 5}, Case{RegistryCall::SetValue, 1450},
                         Case{RegistryCall::Close, 6}}) {
        MemoryRegistry memory;
        memory.FailCall(c.call, 1, c.code);
        EXPECT_EQ(registry::WriteBinaryNumber(memory, {reg::kCurrentUser, kKey}, L"n", 1), c.code);
        EXPECT_EQ(memory.OpenKeyCount(), 0);
        memory.FailCall(c.call, 1, c.code);
        EXPECT_EQ(registry::WriteString(memory, {reg::kCurrentUser, kKey}, L"s", L"x"), c.code);
        EXPECT_EQ(memory.OpenKeyCount(), 0);
    }
}

TEST(RegistryValuesFaults, ReadingAndDeletingCloseTheirKeyOnEveryPath)
{
    MemoryRegistry memory;
    ASSERT_EQ(registry::WriteBinaryNumber(memory, {reg::kCurrentUser, kKey}, L"n", 1), 0);
    std::int32_t value = 0;

    memory.FailCall(RegistryCall::QueryValue, 1, 1450);
    EXPECT_EQ(registry::ReadBinaryNumber(memory, {reg::kCurrentUser, kKey}, L"n", 4, value), 1450);
    EXPECT_EQ(value, 4);
    memory.FailCall(RegistryCall::Close, 1, 6);
    EXPECT_EQ(registry::ReadBinaryNumber(memory, {reg::kCurrentUser, kKey}, L"n", 4, value), 6);
    EXPECT_EQ(memory.OpenKeyCount(), 0);

    // The delete's own code is the result, whatever the close gives.
    memory.FailCall(RegistryCall::Close, 1, 6);
    EXPECT_EQ(registry::DeleteValue(memory, {reg::kCurrentUser, kKey}, L"n"), 0);
    memory.FailCall(RegistryCall::DeleteValue, 1, 5);
    EXPECT_EQ(registry::DeleteValue(memory, {reg::kCurrentUser, kKey}, L"n"), 5);
    EXPECT_EQ(memory.OpenKeyCount(), 0);
}

TEST(RegistryValuesFaults, ADeniedKeyCannotBeReadOrWritten)
{
    MemoryRegistry memory;
    memory.DenyAccess(reg::kCurrentUser, ui::kSettingsKeyPath);
    EXPECT_FALSE(ui::SaveLanguage(memory, ui::Language::English));
    EXPECT_EQ(ui::LoadLanguage(memory), ui::Language::Hungarian);
    EXPECT_EQ(registry::DeleteValue(memory, {reg::kCurrentUser, ui::kSettingsKeyPath},
                                    ui::kLanguageValueName),
              reg::kAccessDenied);
    // Creating a key below a denied one is refused too.
    EXPECT_EQ(
        registry::WriteString(memory, {reg::kCurrentUser, L"Software\\Kavrenta\\Sub"}, L"v", L"x"),
        reg::kAccessDenied);
    EXPECT_EQ(memory.OpenKeyCount(), 0);
}

} // namespace
} // namespace tolvan::test
