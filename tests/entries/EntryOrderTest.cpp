// The order of the entry list: by display text under the collation, whole entries moved.
#include "entries/EntryOrder.h"

#include "portable/CaseFoldCollation.h"
#include "support/PlatformBackend.h"
#include "support/SmallStack.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

namespace tolvan::test {
namespace {

using entries::Scope;
using entries::StartupEntry;

StartupEntry Entry(std::wstring displayText, std::wstring name = L"",
                   Scope scope = Scope::CurrentUser)
{
    StartupEntry entry;
    entry.scope = scope;
    entry.displayText = std::move(displayText);
    entry.name = std::move(name);
    entry.command = L"value of " + entry.name;
    entry.programPath = L"C:\\" + entry.name + L".exe";
    entry.productName = L"product " + entry.name;
    return entry;
}

std::vector<std::wstring> Texts(const std::vector<StartupEntry>& table)
{
    std::vector<std::wstring> texts;
    texts.reserve(table.size());
    for (const StartupEntry& entry : table) {
        texts.push_back(entry.displayText);
    }
    return texts;
}

// What a sort must leave: the table in order under the collation, and the same entries as
// before, each whole (nothing lost, nothing doubled, no field taken from another entry).
void ExpectSortedFrom(const std::vector<StartupEntry>& before,
                      const std::vector<StartupEntry>& after, platform::Collation& collation)
{
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t k = 1; k < after.size(); ++k) {
        ASSERT_LE(collation.Compare(after[k - 1].displayText, after[k].displayText), 0)
            << "positions " << k - 1 << " and " << k;
    }
    const auto key = [](const StartupEntry& entry) {
        return std::tie(entry.name, entry.displayText, entry.command, entry.programPath,
                        entry.productName, entry.scope);
    };
    const auto byKey = [&](const StartupEntry& a, const StartupEntry& b) {
        return key(a) < key(b);
    };
    std::vector<StartupEntry> expected = before;
    std::vector<StartupEntry> actual = after;
    std::sort(expected.begin(), expected.end(), byKey);
    std::sort(actual.begin(), actual.end(), byKey);
    for (std::size_t k = 0; k < actual.size(); ++k) {
        ASSERT_TRUE(key(actual[k]) == key(expected[k])) << "entry " << k;
    }
}

// Random texts over a small alphabet, so that many compare equal or differ only in case.
std::vector<StartupEntry> RandomTable(std::mt19937& random, int count, int maxLength)
{
    constexpr std::wstring_view kLetters = L"aAbBőŐűŰé ;(";
    std::uniform_int_distribution<int> length(0, maxLength);
    std::uniform_int_distribution<std::size_t> letter(0, kLetters.size() - 1);
    std::vector<StartupEntry> table;
    for (int k = 0; k < count; ++k) {
        std::wstring text;
        for (int n = length(random); n > 0; --n) {
            text += kLetters[letter(random)];
        }
        table.push_back(Entry(text, L"r" + std::to_wstring(k),
                              k % 2 == 0 ? Scope::CurrentUser : Scope::AllUsers));
    }
    return table;
}

class SortEntries : public ::testing::TestWithParam<PlatformKind> {
protected:
    platform::Collation& Collation() { return backend->Services().collation; }

    std::unique_ptr<PlatformBackend> backend = GetParam().make();
};

TEST_P(SortEntries, OrdersByDisplayTextIgnoringCaseWhateverTheScope)
{
    std::vector<StartupEntry> table = {
        Entry(L"beta", L"b", Scope::AllUsers), Entry(L"Alpha", L"a"), Entry(L"gamma", L"g"),
        Entry(L"Music service", L"m", Scope::AllUsers), Entry(L"indexer;  ()", L"i")};
    const std::vector<StartupEntry> before = table;
    entries::SortByDisplayText(table, Collation());
    EXPECT_EQ(Texts(table), (std::vector<std::wstring>{L"Alpha", L"beta", L"gamma", L"indexer;  ()",
                                                       L"Music service"}));
    ExpectSortedFrom(before, table, Collation());
}

TEST_P(SortEntries, TextsDifferingOnlyInCaseEndUpTogether)
{
    std::vector<StartupEntry> table = {Entry(L"abc", L"1"), Entry(L"zed", L"2"),
                                       Entry(L"ABC", L"3"), Entry(L"Abc", L"4"),
                                       Entry(L"Ab", L"5")};
    entries::SortByDisplayText(table, Collation());
    EXPECT_EQ(table.front().displayText, L"Ab");
    EXPECT_EQ(table.back().displayText, L"zed");
    for (std::size_t k = 1; k < 4; ++k) {
        EXPECT_EQ(Collation().Compare(table[k].displayText, L"abc"), 0);
    }
}

TEST_P(SortEntries, EmptySingleAndRandomTables)
{
    std::vector<StartupEntry> empty;
    entries::SortByDisplayText(empty, Collation());
    EXPECT_TRUE(empty.empty());

    std::mt19937 random(20260401);
    for (const int count : {1, 2, 3, 17, 60, 4000}) {
        SCOPED_TRACE(count);
        std::vector<StartupEntry> table = RandomTable(random, count, count < 100 ? 3 : 6);
        const std::vector<StartupEntry> before = table;
        entries::SortByDisplayText(table, Collation());
        ExpectSortedFrom(before, table, Collation());
    }
}

TOLVAN_FOR_EACH_PLATFORM(SortEntries);

std::wstring Number(int value)
{
    std::wstring digits = std::to_wstring(value);
    return std::wstring(6 - std::min<std::size_t>(6, digits.size()), L'0') + digits;
}

// McIlroy's adversary: texts are entry numbers whose order is decided only when the sort first
// compares them, always so that the pivot is as small as possible. Replaying the decided order
// gives the sort its worst input.
class AdversaryCollation final : public platform::Collation {
public:
    explicit AdversaryCollation(int count) : rank_(static_cast<std::size_t>(count), kUndecided) {}

    int Compare(std::wstring_view a, std::wstring_view b) noexcept override
    {
        ++comparisons;
        const std::size_t x = Parse(a);
        const std::size_t y = Parse(b);
        if (rank_[x] == kUndecided && rank_[y] == kUndecided) {
            rank_[x == candidate_ ? x : y] = next_++;
        }
        if (rank_[x] == kUndecided) {
            candidate_ = x;
        } else if (rank_[y] == kUndecided) {
            candidate_ = y;
        }
        return rank_[x] < rank_[y] ? -1 : (rank_[x] > rank_[y] ? 1 : 0);
    }

    // The decided order, the entries never decided placed last.
    std::vector<int> Ranks()
    {
        for (int& rank : rank_) {
            if (rank == kUndecided) {
                rank = next_++;
            }
        }
        return rank_;
    }

    long long comparisons = 0;

private:
    static constexpr int kUndecided = 1 << 30;

    static std::size_t Parse(std::wstring_view digits) noexcept
    {
        std::size_t value = 0;
        for (const wchar_t digit : digits) {
            value = value * 10 + static_cast<std::size_t>(digit - L'0');
        }
        return value;
    }

    std::vector<int> rank_;
    std::size_t candidate_ = static_cast<std::size_t>(-1);
    int next_ = 0;
};

// Any program can write Run values, so their order may be built to be the sort's worst. The sort
// then takes many comparisons, but its nesting stays shallow: it fits a small stack.
TEST(SortEntriesOrder, TheWorstOrderFitsASmallStack)
{
    constexpr int kCount = 3000;
    std::vector<StartupEntry> probe;
    probe.reserve(kCount);
    for (int k = 0; k < kCount; ++k) {
        probe.push_back(Entry(Number(k)));
    }
    AdversaryCollation adversary(kCount);
    entries::SortByDisplayText(probe, adversary);
    // The order really is a bad one: far more comparisons than n log n.
    ASSERT_GT(adversary.comparisons, static_cast<long long>(kCount) * kCount / 8);

    const std::vector<int> ranks = adversary.Ranks();
    std::vector<StartupEntry> table;
    table.reserve(kCount);
    for (int k = 0; k < kCount; ++k) {
        table.push_back(Entry(Number(ranks[static_cast<std::size_t>(k)]), Number(k)));
    }
    const std::vector<StartupEntry> before = table;
    // About log2(3000) nested calls fit many times over in 64 KiB; a recursion as deep as the
    // input is bad, with a text in each frame, would need well over that.
    platform::portable::CaseFoldCollation collation;
    ASSERT_TRUE(RunOnSmallStack(std::size_t{64} * 1024,
                                [&] { entries::SortByDisplayText(table, collation); }));
    ExpectSortedFrom(before, table, collation);
}

} // namespace
} // namespace tolvan::test
