// The collation of the list, against the portable one and (under Wine) CompareStringEx.
#include "support/PlatformBackend.h"

#include <gtest/gtest.h>

namespace tolvan::test {
namespace {

class CollationContract : public ::testing::TestWithParam<PlatformKind> {
protected:
    void SetUp() override { backend = GetParam().make(); }
    int Compare(std::wstring_view a, std::wstring_view b)
    {
        return backend->Services().collation.Compare(a, b);
    }

    std::unique_ptr<PlatformBackend> backend;
};

TEST_P(CollationContract, LetterCaseIsIgnored)
{
    EXPECT_EQ(Compare(L"Alpha", L"ALPHA"), 0);
    EXPECT_EQ(Compare(L"árvíztűrő tükörfúrógép", L"ÁRVÍZTŰRŐ TÜKÖRFÚRÓGÉP"), 0);
    EXPECT_EQ(Compare(L"Œuvre ÿ", L"œuvre Ÿ"), 0);
    EXPECT_EQ(Compare(L"", L""), 0);
}

TEST_P(CollationContract, OrdersAlphabetically)
{
    EXPECT_LT(Compare(L"Alpha", L"beta"), 0);
    EXPECT_GT(Compare(L"beta", L"Alpha"), 0);
    EXPECT_LT(Compare(L"beta", L"Gamma"), 0);
    EXPECT_LT(Compare(L"abc", L"abcd"), 0);
    EXPECT_LT(Compare(L"", L"a"), 0);
    EXPECT_GT(Compare(L"a", L""), 0);
    EXPECT_LT(Compare(L"Zebra;  (C:\\z.exe)", L"zebra;  (D:\\z.exe)"), 0);
}

TEST_P(CollationContract, AccentedLettersDifferFromPlainOnes)
{
    EXPECT_NE(Compare(L"o", L"ő"), 0);
    EXPECT_NE(Compare(L"u", L"ű"), 0);
    EXPECT_NE(Compare(L"e", L"é"), 0);
    // Whatever the locale does with accents, the answers agree with each other.
    EXPECT_EQ(Compare(L"ő", L"o") > 0, Compare(L"o", L"ő") < 0);
}

TOLVAN_FOR_EACH_PLATFORM(CollationContract);

} // namespace
} // namespace tolvan::test
