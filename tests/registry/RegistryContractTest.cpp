// The registry seam behaves like Windows on every backend: the in-memory registry natively, and
// both it and the real registry under Wine.
#include "support/RegistryTestBase.h"

#include <algorithm>
#include <set>

namespace tolvan::test {
namespace {

using namespace platform;

class RegistryContract : public RegistryTest {
protected:
    KeyHandle Open(const platform::NulTerminated& subKey, std::uint32_t access)
    {
        KeyHandle key = 0;
        EXPECT_EQ(Registry().OpenKey(reg::kCurrentUser, subKey, access, key), 0);
        return key;
    }
};

TEST_P(RegistryContract, OpenFindsOnlyExistingKeysAndCreateMakesTheWholePath)
{
    KeyHandle key = 0;
    EXPECT_EQ(Registry().OpenKey(reg::kCurrentUser, kScratchKey, reg::kKeyQueryValue, key),
              reg::kFileNotFound);

    ASSERT_EQ(Registry().CreateKey(reg::kCurrentUser, kScratchKey, reg::kKeySetValue, key), 0);
    EXPECT_EQ(Registry().CloseKey(key), 0);
    EXPECT_TRUE(Backend().KeyExists(reg::kCurrentUser, L"Software\\TolvanTests"));
    EXPECT_TRUE(Backend().KeyExists(reg::kCurrentUser, kScratchKey));

    // Creating an existing key opens it; names match without regard to case.
    ASSERT_EQ(Registry().CreateKey(reg::kCurrentUser, L"SOFTWARE\\tolvantests\\SCRATCH",
                                   reg::kKeyQueryValue, key),
              0);
    EXPECT_EQ(Registry().CloseKey(key), 0);
}

TEST_P(RegistryContract, StoresExactlyTheBytesGivenWhateverTheyAre)
{
    const std::vector<std::vector<std::byte>> samples{
        Utf16(L"C:\\a.exe"),             // with its NUL
        Utf16(L"C:\\a.exe", false),      // without a terminator
        Bytes({0x61, 0x00, 0x62}),       // an odd number of bytes
        Utf16(std::wstring(L"a\0b", 3)), // an embedded NUL
        {},                              // nothing at all
    };
    for (std::size_t i = 0; i < samples.size(); ++i) {
        Put(reg::kCurrentUser, kScratchKey, L"v", reg::kTypeSz, samples[i]);
        std::uint32_t type = 0;
        std::vector<std::byte> data;
        ASSERT_TRUE(Get(reg::kCurrentUser, kScratchKey, L"v", type, data)) << "sample " << i;
        EXPECT_EQ(type, reg::kTypeSz) << "sample " << i;
        EXPECT_EQ(data, samples[i]) << "sample " << i;
    }
}

TEST_P(RegistryContract, QueryReportsSizesAndNeverWritesPartOfTheData)
{
    Put(reg::kCurrentUser, kScratchKey, L"four", reg::kTypeDword, Bytes({1, 2, 3, 4}));
    const KeyHandle key = Open(kScratchKey, reg::kKeyQueryValue);

    std::uint32_t type = 0;
    std::uint32_t size = 0;
    EXPECT_EQ(Registry().QueryValue(key, L"four", &type, nullptr, &size), 0);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(type, reg::kTypeDword);

    std::vector<std::byte> small = Bytes({0xAA, 0xBB});
    size = 2;
    type = 0;
    EXPECT_EQ(Registry().QueryValue(key, L"four", &type, small.data(), &size), reg::kMoreData);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(type, reg::kTypeDword);
    EXPECT_EQ(small, Bytes({0xAA, 0xBB}));

    size = 2;
    EXPECT_EQ(Registry().QueryValue(key, L"missing", &type, small.data(), &size),
              reg::kFileNotFound);
    EXPECT_EQ(Registry().CloseKey(key), 0);
}

TEST_P(RegistryContract, EnumerationReportsEveryValueThenNoMoreItems)
{
    Put(reg::kCurrentUser, kScratchKey, L"Beta", reg::kTypeSz, Utf16(L"xy"));
    Put(reg::kCurrentUser, kScratchKey, L"alpha", reg::kTypeBinary, Bytes({1, 2, 3}));
    const KeyHandle key = Open(kScratchKey, reg::kKeyQueryValue);

    // Windows keeps creation order and Wine sorts by name, so compare as a set.
    std::set<std::tuple<std::wstring, std::uint32_t, std::uint32_t>> seen;
    std::vector<wchar_t> name(reg::kMaxValueNameChars + 1);
    std::uint32_t index = 0;
    for (;; ++index) {
        std::uint32_t length = 0;
        std::uint32_t type = 0;
        std::uint32_t size = 0;
        const ErrorCode rc = Registry().EnumValue(key, index, name, length, type, {}, size);
        if (rc != 0) {
            EXPECT_EQ(rc, reg::kNoMoreItems);
            break;
        }
        seen.emplace(std::wstring(name.data(), length), type, size);
    }
    EXPECT_EQ(index, 2u);
    const std::set<std::tuple<std::wstring, std::uint32_t, std::uint32_t>> expected{
        {L"Beta", reg::kTypeSz, 6u}, {L"alpha", reg::kTypeBinary, 3u}};
    EXPECT_EQ(seen, expected);

    // A name buffer too small for the name: 234.
    std::vector<wchar_t> tiny(3);
    std::uint32_t length = 0;
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    EXPECT_EQ(Registry().EnumValue(key, 0, tiny, length, type, {}, size), reg::kMoreData);
    EXPECT_EQ(Registry().CloseKey(key), 0);
}

TEST_P(RegistryContract, AccessRightsAreCheckedPerOpenKey)
{
    Put(reg::kCurrentUser, kScratchKey, L"v", reg::kTypeSz, Utf16(L"x"));

    const KeyHandle reading = Open(kScratchKey, reg::kKeyQueryValue);
    EXPECT_EQ(Registry().SetValue(reading, L"v", reg::kTypeSz, Utf16(L"y")), reg::kAccessDenied);
    EXPECT_EQ(Registry().DeleteValue(reading, L"v"), reg::kAccessDenied);
    EXPECT_EQ(Registry().CloseKey(reading), 0);

    const KeyHandle writing = Open(kScratchKey, reg::kKeySetValue);
    std::uint32_t size = 0;
    EXPECT_EQ(Registry().QueryValue(writing, L"v", nullptr, nullptr, &size), reg::kAccessDenied);
    std::vector<wchar_t> name(16);
    std::uint32_t length = 0;
    std::uint32_t type = 0;
    EXPECT_EQ(Registry().EnumValue(writing, 0, name, length, type, {}, size), reg::kAccessDenied);
    EXPECT_EQ(Registry().CloseKey(writing), 0);
}

// 64-bit Windows keeps the 32-bit programs' machine keys under SOFTWARE\WOW6432Node; the user's
// SOFTWARE key is one key in both views.
TEST_P(RegistryContract, TheViewFlagsChooseTheMachinesKeysAndShareTheUsers)
{
    constexpr platform::NulTerminated kRun = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
    constexpr platform::NulTerminated k32BitRun =
        L"SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";
    const auto write = [&](RootKey root, std::uint32_t view, const platform::NulTerminated& name) {
        KeyHandle key = 0;
        ASSERT_EQ(Registry().CreateKey(root, kRun, reg::kKeySetValue | view, key), 0);
        EXPECT_EQ(Registry().SetValue(key, name, reg::kTypeSz, Utf16(L"x")), 0);
        EXPECT_EQ(Registry().CloseKey(key), 0);
    };
    // Whether the value is there, seen through this path and view.
    const auto holds = [&](RootKey root, const platform::NulTerminated& path, std::uint32_t view,
                           const platform::NulTerminated& name) {
        KeyHandle key = 0;
        if (Registry().OpenKey(root, path, reg::kKeyQueryValue | view, key) != 0) {
            return false;
        }
        std::uint32_t size = 0;
        const bool found = Registry().QueryValue(key, name, nullptr, nullptr, &size) == 0;
        EXPECT_EQ(Registry().CloseKey(key), 0);
        return found;
    };

    write(reg::kLocalMachine, reg::kView32Bit, L"x86");
    write(reg::kLocalMachine, reg::kView64Bit, L"x64");
    EXPECT_TRUE(holds(reg::kLocalMachine, kRun, reg::kView32Bit, L"x86"));
    EXPECT_TRUE(holds(reg::kLocalMachine, k32BitRun, 0, L"x86"));
    EXPECT_FALSE(holds(reg::kLocalMachine, kRun, reg::kView64Bit, L"x86"));
    EXPECT_FALSE(holds(reg::kLocalMachine, kRun, 0, L"x86"));
    EXPECT_TRUE(holds(reg::kLocalMachine, kRun, 0, L"x64"));
    EXPECT_FALSE(holds(reg::kLocalMachine, kRun, reg::kView32Bit, L"x64"));

    write(reg::kCurrentUser, reg::kView32Bit, L"user");
    EXPECT_TRUE(holds(reg::kCurrentUser, kRun, reg::kView64Bit, L"user"));
    EXPECT_TRUE(holds(reg::kCurrentUser, kRun, 0, L"user"));

    KeyHandle key = 0;
    const std::uint32_t bothViews = reg::kView32Bit | reg::kView64Bit;
    EXPECT_EQ(Registry().OpenKey(reg::kLocalMachine, kRun, reg::kKeyQueryValue | bothViews, key),
              reg::kInvalidParameter);
    EXPECT_EQ(Registry().CreateKey(reg::kCurrentUser, kRun, reg::kKeySetValue | bothViews, key),
              reg::kInvalidParameter);
}

TEST_P(RegistryContract, ValueNamesIgnoreCaseAndTheEmptyNameIsTheDefaultValue)
{
    Put(reg::kCurrentUser, kScratchKey, L"Mixed", reg::kTypeSz, Utf16(L"1"));
    Put(reg::kCurrentUser, kScratchKey, L"MIXED", reg::kTypeBinary, Bytes({7}));
    Put(reg::kCurrentUser, kScratchKey, L"", reg::kTypeSz, Utf16(L"default"));

    std::uint32_t type = 0;
    std::vector<std::byte> data;
    ASSERT_TRUE(Get(reg::kCurrentUser, kScratchKey, L"mixed", type, data));
    EXPECT_EQ(type, reg::kTypeBinary); // replaced, whatever its type was
    EXPECT_EQ(data, Bytes({7}));
    ASSERT_TRUE(Get(reg::kCurrentUser, kScratchKey, L"", type, data));
    EXPECT_EQ(data, Utf16(L"default"));

    const KeyHandle key = Open(kScratchKey, reg::kKeySetValue);
    EXPECT_EQ(Registry().DeleteValue(key, L""), 0);
    EXPECT_EQ(Registry().DeleteValue(key, L""), reg::kFileNotFound);
    EXPECT_EQ(Registry().DeleteValue(key, L"mIxEd"), 0);
    EXPECT_EQ(Registry().CloseKey(key), 0);
    EXPECT_FALSE(Get(reg::kCurrentUser, kScratchKey, L"Mixed", type, data));
    EXPECT_TRUE(Backend().KeyExists(reg::kCurrentUser, kScratchKey));
}

TEST_P(RegistryContract, HoldsAValueNameOfTheLongestAllowedLength)
{
    const std::wstring longest(reg::kMaxValueNameChars, L'n');
    Put(reg::kCurrentUser, kScratchKey, longest, reg::kTypeSz, Utf16(L"x"));
    const KeyHandle key = Open(kScratchKey, reg::kKeyQueryValue);
    std::vector<wchar_t> name(reg::kMaxValueNameChars + 1);
    std::uint32_t length = 0;
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    EXPECT_EQ(Registry().EnumValue(key, 0, name, length, type, {}, size), 0);
    EXPECT_EQ(length, reg::kMaxValueNameChars);
    EXPECT_EQ(Registry().CloseKey(key), 0);
}

TOLVAN_FOR_EACH_REGISTRY(RegistryContract);

} // namespace
} // namespace tolvan::test
