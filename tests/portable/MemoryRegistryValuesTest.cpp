// Values of one key in the in-memory registry: found by name in any letter case, enumerated in
// creation order, also after deletions in the middle.
#include "platform/Utf16.h"
#include "portable/MemoryRegistry.h"

#include <gtest/gtest.h>

namespace tolvan::test {
namespace {

using namespace platform;

class MemoryRegistryValues : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(memory.CreateKey(reg::kCurrentUser, L"Software\\Values",
                                   reg::kKeyQueryValue | reg::kKeySetValue, key),
                  0);
    }
    void TearDown() override { EXPECT_EQ(memory.CloseKey(key), 0); }

    void Set(const NulTerminated& name, std::wstring_view text)
    {
        ASSERT_EQ(memory.SetValue(key, name, reg::kTypeSz, ToUtf16Le(text)), 0);
    }
    std::wstring Get(const NulTerminated& name)
    {
        std::uint32_t size = 64;
        std::vector<std::byte> data(size);
        if (memory.QueryValue(key, name, nullptr, data.data(), &size) != 0) {
            return L"<missing>";
        }
        return FromUtf16Le(std::span(data).first(size));
    }
    std::vector<std::wstring> Names()
    {
        std::vector<std::wstring> names;
        std::vector<wchar_t> buffer(256);
        std::uint32_t length = 0;
        std::uint32_t type = 0;
        std::uint32_t size = 0;
        for (std::uint32_t index = 0;
             memory.EnumValue(key, index, buffer, length, type, {}, size) == 0; ++index) {
            names.emplace_back(buffer.data(), length);
        }
        return names;
    }

    portable::MemoryRegistry memory;
    KeyHandle key = 0;
};

TEST_F(MemoryRegistryValues, DeletingInTheMiddleKeepsTheRestFindableAndInOrder)
{
    for (const wchar_t* name : {L"Alpha", L"Bravo", L"Charlie", L"Delta", L"Echo"}) {
        Set(name, name);
    }
    EXPECT_EQ(memory.DeleteValue(key, L"BRAVO"), 0);
    EXPECT_EQ(memory.DeleteValue(key, L"bravo"), reg::kFileNotFound);
    EXPECT_EQ(Get(L"charlie"), L"Charlie");
    EXPECT_EQ(Get(L"ECHO"), L"Echo");
    EXPECT_EQ(Get(L"Bravo"), L"<missing>");

    Set(L"bravo", L"again");
    Set(L"DELTA", L"replaced");
    EXPECT_EQ(Names(),
              (std::vector<std::wstring>{L"Alpha", L"Charlie", L"Delta", L"Echo", L"bravo"}));
    EXPECT_EQ(Get(L"Delta"), L"replaced");
    EXPECT_EQ(Get(L"BRAVO"), L"again");

    EXPECT_EQ(memory.DeleteValue(key, L"alpha"), 0);
    EXPECT_EQ(Get(L"Echo"), L"Echo");
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"Charlie", L"Delta", L"Echo", L"bravo"}));
}

TEST_F(MemoryRegistryValues, HungarianNamesMatchInEitherCase)
{
    Set(L"Őrző ütemező", L"1");
    EXPECT_EQ(Get(L"őRZŐ ÜTEMEZŐ"), L"1");
}

} // namespace
} // namespace tolvan::test
