// The text helpers shared by both sides of the platform.
#include "platform/Utf16.h"
#include "portable/CaseFold.h"

#include <gtest/gtest.h>

namespace tolvan::test {
namespace {

using platform::FromUtf16Le;
using platform::ToUtf16Le;
using platform::portable::EqualsIgnoringCase;

std::vector<std::byte> Units(std::initializer_list<unsigned> units)
{
    std::vector<std::byte> bytes;
    for (const unsigned unit : units) {
        bytes.push_back(static_cast<std::byte>(unit & 0xFF));
        bytes.push_back(static_cast<std::byte>(unit >> 8));
    }
    return bytes;
}

TEST(Utf16, CharactersBeyondTheBasicPlaneBecomeSurrogatePairsAndBack)
{
    const std::wstring text = L"a\U0001F600\u0151";
    const auto bytes = ToUtf16Le(text);
    EXPECT_EQ(bytes, Units({0x61, 0xD83D, 0xDE00, 0x151}));
    EXPECT_EQ(FromUtf16Le(bytes), text);
}

TEST(Utf16, LoneSurrogatesOddBytesAndNulsSurviveDecoding)
{
    const auto lone = Units({0xD800, 0x41, 0xDC00});
    const std::wstring decoded = FromUtf16Le(lone);
    ASSERT_EQ(decoded.size(), 3u);
    EXPECT_EQ(static_cast<unsigned>(decoded[0]), 0xD800u);
    EXPECT_EQ(static_cast<unsigned>(decoded[2]), 0xDC00u);
    EXPECT_EQ(ToUtf16Le(decoded), lone);

    auto odd = Units({0x41, 0x0, 0x42});
    odd.push_back(std::byte{0x43});
    EXPECT_EQ(FromUtf16Le(odd), std::wstring(L"A\0B", 3));
    EXPECT_EQ(FromUtf16Le({}), L"");
}

TEST(CaseFold, MatchesNamesTheWayWindowsDoes)
{
    EXPECT_TRUE(EqualsIgnoringCase(L"Software\\Kavrenta", L"SOFTWARE\\kavrenta"));
    EXPECT_TRUE(EqualsIgnoringCase(L"árvíztűrő tükörfúrógép", L"ÁRVÍZTŰRŐ TÜKÖRFÚRÓGÉP"));
    EXPECT_TRUE(EqualsIgnoringCase(L"ÿ łódź", L"Ÿ ŁÓDŹ"));
    EXPECT_TRUE(EqualsIgnoringCase(L"привет σας", L"ПРИВЕТ ΣΑΣ"));
    EXPECT_FALSE(EqualsIgnoringCase(L"ő", L"ö"));
    EXPECT_FALSE(EqualsIgnoringCase(L"a", L"ab"));
    EXPECT_FALSE(EqualsIgnoringCase(L"[", L"{")); // not letters: no folding
}

} // namespace
} // namespace tolvan::test
