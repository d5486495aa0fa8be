// The registry operations and the stored language, on every registry backend.
#include "registry/RegistryValues.h"

#include "support/RegistryTestBase.h"
#include "ui/LanguageSetting.h"

namespace tolvan::test {
namespace {

using namespace platform;
using ui::kLanguageValueName;
using ui::kSettingsKeyPath;
using ui::Language;

class RegistryValues : public RegistryTest {
protected:
    std::vector<std::byte> Stored(const platform::NulTerminated& name, std::uint32_t expectedType)
    {
        std::uint32_t type = 0;
        std::vector<std::byte> data;
        EXPECT_TRUE(Get(reg::kCurrentUser, kScratchKey, name, type, data)) << "no value";
        EXPECT_EQ(type, expectedType);
        return data;
    }
    std::int32_t ReadBinary(std::int32_t defaultValue, ErrorCode expected)
    {
        std::int32_t value = 0;
        EXPECT_EQ(registry::ReadBinaryNumber(Registry(), {reg::kCurrentUser, kScratchKey}, L"n",
                                             defaultValue, value),
                  expected);
        return value;
    }
    void ExpectNoKeyOpen()
    {
        if (const auto open = Backend().OpenKeyCount()) {
            EXPECT_EQ(*open, 0);
        }
    }
};

TEST_P(RegistryValues, RootZeroGives99WithoutTouchingTheRegistry)
{
    const auto callsBefore = Backend().CallCount();
    std::int32_t value = 0;
    EXPECT_EQ(registry::ReadBinaryNumber(Registry(), {0, kScratchKey}, L"n", 42, value), 99);
    EXPECT_EQ(value, 42);
    EXPECT_EQ(registry::WriteBinaryNumber(Registry(), {0, kScratchKey}, L"n", 1), 99);
    EXPECT_EQ(registry::WriteString(Registry(), {0, kScratchKey}, L"n", L"x"), 99);
    EXPECT_EQ(registry::DeleteValue(Registry(), {0, kScratchKey}, L"n"), 99);
    EXPECT_EQ(Backend().CallCount(), callsBefore);
    EXPECT_FALSE(Backend().KeyExists(reg::kCurrentUser, kScratchKey));
}

TEST_P(RegistryValues, ReadBinaryNumberReadsAtMostTwoBytesIntoTheDefault)
{
    EXPECT_EQ(ReadBinary(7, reg::kFileNotFound), 7); // no key
    Put(reg::kCurrentUser, kScratchKey, L"other", reg::kTypeSz, Utf16(L"x"));
    EXPECT_EQ(ReadBinary(7, reg::kFileNotFound), 7); // no value

    Put(reg::kCurrentUser, kScratchKey, L"n", reg::kTypeBinary, Bytes({0x05}));
    EXPECT_EQ(ReadBinary(0, 0), 5);
    // Bytes the value does not cover keep the default's.
    EXPECT_EQ(ReadBinary(0x1234AB00, 0), 0x1234AB05);

    Put(reg::kCurrentUser, kScratchKey, L"n", reg::kTypeBinary, Bytes({0x01, 0x00}));
    EXPECT_EQ(ReadBinary(0, 0), 1);
    Put(reg::kCurrentUser, kScratchKey, L"n", reg::kTypeBinary, Bytes({0xFF, 0xFF}));
    EXPECT_EQ(ReadBinary(0, 0), 65535);
    // The stored type is not examined.
    Put(reg::kCurrentUser, kScratchKey, L"n", reg::kTypeSz, Bytes({0x00, 0x01}));
    EXPECT_EQ(ReadBinary(0, 0), 256);
    // Longer data does not fit the window: 234 and the default kept.
    Put(reg::kCurrentUser, kScratchKey, L"n", reg::kTypeDword, Bytes({1, 0, 0, 0}));
    EXPECT_EQ(ReadBinary(9, reg::kMoreData), 9);
    ExpectNoKeyOpen();
}

TEST_P(RegistryValues, WriteBinaryNumberStoresTheLowSixteenBitsLittleEndian)
{
    EXPECT_EQ(registry::WriteBinaryNumber(Registry(), {reg::kCurrentUser, kScratchKey}, L"n", 1),
              0);
    EXPECT_EQ(Stored(L"n", reg::kTypeBinary), Bytes({0x01, 0x00}));
    EXPECT_EQ(registry::WriteBinaryNumber(Registry(), {reg::kCurrentUser, kScratchKey}, L"n", 0),
              0);
    EXPECT_EQ(Stored(L"n", reg::kTypeBinary), Bytes({0x00, 0x00}));
    EXPECT_EQ(
        registry::WriteBinaryNumber(Registry(), {reg::kCurrentUser, kScratchKey}, L"n", 0x7BCD1234),
        0);
    EXPECT_EQ(Stored(L"n", reg::kTypeBinary), Bytes({0x34, 0x12}));
    ExpectNoKeyOpen();
}

TEST_P(RegistryValues, WriteStringWritesWideTextWithItsNulAndCreatesTheKey)
{
    EXPECT_EQ(registry::WriteString(Registry(), {reg::kCurrentUser, kScratchKey}, L"s", L"abc"), 0);
    EXPECT_EQ(Stored(L"s", reg::kTypeSz), Bytes({'a', 0, 'b', 0, 'c', 0, 0, 0}));
    EXPECT_EQ(registry::WriteString(Registry(), {reg::kCurrentUser, kScratchKey}, L"s", L""), 0);
    EXPECT_EQ(Stored(L"s", reg::kTypeSz), Bytes({0, 0}));

    // Letters outside any ANSI code page are stored as they are.
    EXPECT_EQ(registry::WriteString(Registry(), {reg::kCurrentUser, kScratchKey}, L"ő\u4E2D",
                                    L"\u0151\u4E2D"),
              0);
    EXPECT_EQ(Stored(L"ő\u4E2D", reg::kTypeSz), Bytes({0x51, 0x01, 0x2D, 0x4E, 0, 0}));

    // A value of another type is replaced by the string.
    Put(reg::kCurrentUser, kScratchKey, L"d", reg::kTypeDword, Bytes({1, 0, 0, 0}));
    EXPECT_EQ(registry::WriteString(Registry(), {reg::kCurrentUser, kScratchKey}, L"d", L"x"), 0);
    EXPECT_EQ(Stored(L"d", reg::kTypeSz), Utf16(L"x"));
    ExpectNoKeyOpen();
}

TEST_P(RegistryValues, DeleteValueRemovesOnlyThatValue)
{
    EXPECT_EQ(registry::DeleteValue(Registry(), {reg::kCurrentUser, kScratchKey}, L"x"),
              reg::kFileNotFound); // no key
    Put(reg::kCurrentUser, kScratchKey, L"keep", reg::kTypeSz, Utf16(L"1"));
    Put(reg::kCurrentUser, kScratchKey, L"x", reg::kTypeSz, Utf16(L"2"));
    EXPECT_EQ(registry::DeleteValue(Registry(), {reg::kCurrentUser, kScratchKey}, L"nope"),
              reg::kFileNotFound);
    EXPECT_EQ(registry::DeleteValue(Registry(), {reg::kCurrentUser, kScratchKey}, L"x"), 0);
    std::uint32_t type = 0;
    std::vector<std::byte> data;
    EXPECT_FALSE(Get(reg::kCurrentUser, kScratchKey, L"x", type, data));
    EXPECT_TRUE(Get(reg::kCurrentUser, kScratchKey, L"keep", type, data));
    ExpectNoKeyOpen();
}

TEST_P(RegistryValues, TheEmptyNameReadsWritesAndDeletesTheDefaultValue)
{
    EXPECT_EQ(registry::WriteBinaryNumber(Registry(), {reg::kCurrentUser, kScratchKey}, L"", 3), 0);
    std::int32_t value = 0;
    EXPECT_EQ(
        registry::ReadBinaryNumber(Registry(), {reg::kCurrentUser, kScratchKey}, L"", 0, value), 0);
    EXPECT_EQ(value, 3);
    EXPECT_EQ(registry::WriteString(Registry(), {reg::kCurrentUser, kScratchKey}, L"", L"d"), 0);
    EXPECT_EQ(Stored(L"", reg::kTypeSz), Utf16(L"d"));
    EXPECT_EQ(registry::DeleteValue(Registry(), {reg::kCurrentUser, kScratchKey}, L""), 0);
    EXPECT_EQ(registry::DeleteValue(Registry(), {reg::kCurrentUser, kScratchKey}, L""),
              reg::kFileNotFound);
}

TEST_P(RegistryValues, LanguageIsHungarianUntilSavedAndThenComesBack)
{
    EXPECT_EQ(ui::LoadLanguage(Registry()), Language::Hungarian);
    EXPECT_FALSE(Backend().KeyExists(reg::kCurrentUser, kSettingsKeyPath));

    EXPECT_TRUE(ui::SaveLanguage(Registry(), Language::English));
    EXPECT_TRUE(Backend().KeyExists(reg::kCurrentUser, kSettingsKeyPath));
    std::uint32_t type = 0;
    std::vector<std::byte> data;
    ASSERT_TRUE(Get(reg::kCurrentUser, kSettingsKeyPath, kLanguageValueName, type, data));
    EXPECT_EQ(type, reg::kTypeBinary);
    EXPECT_EQ(data, Bytes({0x01, 0x00}));
    EXPECT_EQ(ui::LoadLanguage(Registry()), Language::English);

    EXPECT_TRUE(ui::SaveLanguage(Registry(), Language::Hungarian));
    ASSERT_TRUE(Get(reg::kCurrentUser, kSettingsKeyPath, kLanguageValueName, type, data));
    EXPECT_EQ(data, Bytes({0x00, 0x00}));
    EXPECT_EQ(ui::LoadLanguage(Registry()), Language::Hungarian);
    ExpectNoKeyOpen();
}

TEST_P(RegistryValues, LanguageStoredByOthersIsReadByTheTwoByteRule)
{
    // A REG_DWORD does not fit two bytes: Hungarian, even though its number is 1.
    Put(reg::kCurrentUser, kSettingsKeyPath, kLanguageValueName, reg::kTypeDword,
        Bytes({1, 0, 0, 0}));
    EXPECT_EQ(ui::LoadLanguage(Registry()), Language::Hungarian);
    Put(reg::kCurrentUser, kSettingsKeyPath, kLanguageValueName, reg::kTypeBinary, Bytes({0x01}));
    EXPECT_EQ(ui::LoadLanguage(Registry()), Language::English);
    Put(reg::kCurrentUser, kSettingsKeyPath, kLanguageValueName, reg::kTypeBinary,
        Bytes({0x00, 0x01}));
    EXPECT_EQ(ui::LoadLanguage(Registry()), Language::English);

    // Saving replaces a value of any type.
    Put(reg::kCurrentUser, kSettingsKeyPath, kLanguageValueName, reg::kTypeSz, Utf16(L"en"));
    EXPECT_TRUE(ui::SaveLanguage(Registry(), Language::English));
    EXPECT_EQ(ui::LoadLanguage(Registry()), Language::English);
}

TOLVAN_FOR_EACH_REGISTRY(RegistryValues);

} // namespace
} // namespace tolvan::test
