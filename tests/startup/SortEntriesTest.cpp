// The order of the entry list.
#include "platform/portable/CaseFoldCollation.h"
#include "startup/modSorting.h"
#include "support/PlatformBackend.h"
#include "support/SmallStack.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

namespace tolvan::test {
namespace {

using modTolvan::RunEntry;

RunEntry Record(std::wstring displayText, std::wstring name = L"",
                std::int32_t root = platform::reg::kCurrentUser)
{
    RunEntry entry;
    entry.TopKey = root;
    entry.DisplayText = std::move(displayText);
    entry.Name = std::move(name);
    entry.Value = L"value of " + entry.Name;
    entry.ExePath = L"C:\\" + entry.Name + L".exe";
    entry.ProductName = L"product " + entry.Name;
    return entry;
}

std::vector<std::wstring> Texts(const std::vector<RunEntry>& table)
{
    std::vector<std::wstring> texts;
    texts.reserve(table.size());
    for (const RunEntry& entry : table) {
        texts.push_back(entry.DisplayText);
    }
    return texts;
}

// The quicksort exactly as the list has always been ordered: plain recursion on both parts,
// left first. It yields the order SortEntries must keep, and how deep it nests.
void WrittenQuicksort(std::vector<RunEntry>& table, std::int32_t lo, std::int32_t hi,
                      platform::Collation& collation, int depth, int& maxDepth)
{
    maxDepth = std::max(maxDepth, depth);
    std::int32_t i = lo;
    std::int32_t j = hi;
    const std::wstring pivot = table[static_cast<std::size_t>((lo + hi) / 2)].DisplayText;
    do {
        while (collation.Compare(table[static_cast<std::size_t>(i)].DisplayText, pivot) < 0 &&
               i < hi) {
            ++i;
        }
        while (collation.Compare(pivot, table[static_cast<std::size_t>(j)].DisplayText) < 0 &&
               j > lo) {
            --j;
        }
        if (i > j) {
            break;
        }
        std::swap(table[static_cast<std::size_t>(i)], table[static_cast<std::size_t>(j)]);
        ++i;
        --j;
    } while (i <= j);
    if (lo < j) {
        WrittenQuicksort(table, lo, j, collation, depth + 1, maxDepth);
    }
    if (i < hi) {
        WrittenQuicksort(table, i, hi, collation, depth + 1, maxDepth);
    }
}

std::wstring Number(int value)
{
    std::wstring digits = std::to_wstring(value);
    return std::wstring(6 - std::min<std::size_t>(6, digits.size()), L'0') + digits;
}

// McIlroy's adversary: texts are record numbers whose order is decided only when the sort first
// compares them, always so that the pivot is as small as possible. Replaying the decided order
// makes the written quicksort nest about n/2 deep.
class AdversaryCollation final : public platform::Collation {
public:
    explicit AdversaryCollation(int count) : rank_(static_cast<std::size_t>(count), kUndecided) {}

    int Compare(std::wstring_view a, std::wstring_view b) noexcept override
    {
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

    // The decided order, the records never decided placed last.
    std::vector<int> Ranks()
    {
        for (int& rank : rank_) {
            if (rank == kUndecided) {
                rank = next_++;
            }
        }
        return rank_;
    }

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

struct WorstOrder {
    std::vector<RunEntry> table;   // the order that makes the written quicksort nest deepest
    std::vector<RunEntry> written; // that table as the written quicksort leaves it
    int writtenDepth = 0;
};

WorstOrder WorstOrderFor(int count)
{
    std::vector<RunEntry> probe;
    probe.reserve(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k) {
        probe.push_back(Record(Number(k)));
    }
    AdversaryCollation adversary(count);
    int probeDepth = 0;
    WrittenQuicksort(probe, 0, count - 1, adversary, 1, probeDepth);
    const std::vector<int> ranks = adversary.Ranks();

    WorstOrder worst;
    for (int k = 0; k < count; ++k) {
        worst.table.push_back(Record(Number(ranks[static_cast<std::size_t>(k)]), Number(k)));
    }
    worst.written = worst.table;
    platform::portable::CaseFoldCollation collation;
    WrittenQuicksort(worst.written, 0, count - 1, collation, 1, worst.writtenDepth);
    return worst;
}

// Random texts over a small alphabet, so that many compare equal or differ only in case.
std::vector<RunEntry> RandomTable(std::mt19937& random, int count, int maxLength)
{
    constexpr std::wstring_view letters = L"aAbBőŐűŰé ;(";
    std::uniform_int_distribution<int> length(0, maxLength);
    std::uniform_int_distribution<std::size_t> letter(0, letters.size() - 1);
    std::vector<RunEntry> table;
    for (int k = 0; k < count; ++k) {
        std::wstring text;
        for (int n = length(random); n > 0; --n) {
            text += letters[letter(random)];
        }
        table.push_back(
            Record(text, L"r" + std::to_wstring(k),
                   k % 2 == 0 ? platform::reg::kCurrentUser : platform::reg::kLocalMachine));
    }
    return table;
}

// Each record still carries the fields it started with.
void ExpectRecordsWhole(const std::vector<RunEntry>& table)
{
    for (const RunEntry& entry : table) {
        EXPECT_EQ(entry.Value, L"value of " + entry.Name);
        EXPECT_EQ(entry.ExePath, L"C:\\" + entry.Name + L".exe");
        EXPECT_EQ(entry.ProductName, L"product " + entry.Name);
    }
}

class SortEntries : public ::testing::TestWithParam<PlatformKind> {
protected:
    void SetUp() override { backend_ = GetParam().make(); }
    platform::Collation& collation() { return backend_->services().collation; }

    std::unique_ptr<PlatformBackend> backend_;
};

TEST_P(SortEntries, OrdersByDisplayTextIgnoringCase)
{
    std::vector<RunEntry> table = {Record(L"beta", L"b"), Record(L"Alpha", L"a"),
                                   Record(L"gamma", L"g")};
    modSorting::SortEntries(table, 0, 0, collation());
    EXPECT_EQ(Texts(table), (std::vector<std::wstring>{L"Alpha", L"beta", L"gamma"}));
    ExpectRecordsWhole(table);
}

TEST_P(SortEntries, TheRootPlaysNoPart)
{
    std::vector<RunEntry> table = {
        Record(L"Zeta;  (C:\\z.exe)", L"z", platform::reg::kCurrentUser),
        Record(L"Music service", L"m", platform::reg::kLocalMachine),
        Record(L"indexer;  ()", L"i", platform::reg::kCurrentUser),
    };
    modSorting::SortEntries(table, 0, 0, collation());
    EXPECT_EQ(Texts(table), (std::vector<std::wstring>{L"indexer;  ()", L"Music service",
                                                       L"Zeta;  (C:\\z.exe)"}));
    EXPECT_EQ(table[1].TopKey, platform::reg::kLocalMachine);
}

TEST_P(SortEntries, TextsDifferingOnlyInCaseEndUpTogether)
{
    std::vector<RunEntry> table = {Record(L"abc", L"1"), Record(L"zed", L"2"), Record(L"ABC", L"3"),
                                   Record(L"Abc", L"4"), Record(L"Ab", L"5")};
    std::vector<RunEntry> written = table;
    modSorting::SortEntries(table, 0, 0, collation());
    int depth = 0;
    WrittenQuicksort(written, 0, 4, collation(), 1, depth);
    EXPECT_EQ(Texts(table), Texts(written));
    EXPECT_EQ(table.front().DisplayText, L"Ab");
    EXPECT_EQ(table.back().DisplayText, L"zed");
    for (std::size_t k = 1; k < 4; ++k) {
        EXPECT_EQ(collation().Compare(table[k].DisplayText, L"abc"), 0);
    }
}

TEST_P(SortEntries, EmptyAndSingleTablesStayAsTheyAre)
{
    std::vector<RunEntry> empty;
    modSorting::SortEntries(empty, 0, 0, collation());
    EXPECT_TRUE(empty.empty());

    std::vector<RunEntry> single = {Record(L"only", L"o")};
    modSorting::SortEntries(single, 0, 0, collation());
    ASSERT_EQ(single.size(), 1u);
    EXPECT_EQ(single[0].DisplayText, L"only");
    ExpectRecordsWhole(single);
}

TEST_P(SortEntries, AGivenRangeIsSortedAndTheRestLeftAlone)
{
    std::vector<RunEntry> table = {Record(L"e"), Record(L"d"), Record(L"c"), Record(L"b"),
                                   Record(L"a")};
    modSorting::SortEntries(table, 1, 3, collation());
    EXPECT_EQ(Texts(table), (std::vector<std::wstring>{L"e", L"b", L"c", L"d", L"a"}));
    // Bounds beyond the table are held to it.
    modSorting::SortEntries(table, -5, 99, collation());
    EXPECT_EQ(Texts(table), (std::vector<std::wstring>{L"a", L"b", L"c", L"d", L"e"}));
}

TEST_P(SortEntries, LargeRandomTableAgreesWithStdSort)
{
    std::mt19937 random(20260401);
    std::vector<RunEntry> table = RandomTable(random, 4000, 6);
    std::vector<RunEntry> expected = table;
    std::sort(expected.begin(), expected.end(), [this](const RunEntry& a, const RunEntry& b) {
        return collation().Compare(a.DisplayText, b.DisplayText) < 0;
    });
    modSorting::SortEntries(table, 0, 0, collation());

    ASSERT_EQ(table.size(), expected.size());
    for (std::size_t k = 0; k < table.size(); ++k) {
        ASSERT_EQ(collation().Compare(table[k].DisplayText, expected[k].DisplayText), 0)
            << "position " << k;
    }
    // The same records, each whole: nothing lost, nothing doubled.
    auto byName = [](const RunEntry& a, const RunEntry& b) { return a.Name < b.Name; };
    std::sort(table.begin(), table.end(), byName);
    std::sort(expected.begin(), expected.end(), byName);
    for (std::size_t k = 0; k < table.size(); ++k) {
        ASSERT_EQ(table[k].Name, expected[k].Name);
        ASSERT_EQ(table[k].DisplayText, expected[k].DisplayText);
    }
    ExpectRecordsWhole(table);
}

TOLVAN_FOR_EACH_PLATFORM(SortEntries);

TEST(SortEntriesOrder, SameOrderAsTheWrittenQuicksort)
{
    platform::portable::CaseFoldCollation collation;
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        std::vector<RunEntry> table = RandomTable(random, 1 + round % 60, 3);
        std::vector<RunEntry> written = table;
        modSorting::SortEntries(table, 0, 0, collation);
        int depth = 0;
        WrittenQuicksort(written, 0, static_cast<std::int32_t>(written.size()) - 1, collation, 1,
                         depth);
        std::vector<std::wstring> names;
        std::vector<std::wstring> writtenNames;
        for (std::size_t k = 0; k < table.size(); ++k) {
            names.push_back(table[k].Name);
            writtenNames.push_back(written[k].Name);
        }
        ASSERT_EQ(names, writtenNames) << "round " << round;
    }
}

TEST(SortEntriesOrder, WorstOrderNeitherNestsDeepNorChangesTheResult)
{
    constexpr int kCount = 3000;
    WorstOrder worst = WorstOrderFor(kCount);
    // The order really is the bad one: the written recursion nests about half the count deep.
    ASSERT_GT(worst.writtenDepth, kCount / 3);

    // About log2(3000) nested calls fit many times over in 64 KiB; the written recursion, with
    // a text in each of its 1500 frames, needs well over that.
    std::vector<RunEntry>& table = worst.table;
    platform::portable::CaseFoldCollation collation;
    ASSERT_TRUE(RunOnSmallStack(std::size_t{64} * 1024,
                                [&] { modSorting::SortEntries(table, 0, 0, collation); }));
    EXPECT_EQ(Texts(table), Texts(worst.written));
    for (int k = 0; k < kCount; ++k) {
        ASSERT_EQ(table[static_cast<std::size_t>(k)].DisplayText, Number(k));
    }
}

} // namespace
} // namespace tolvan::test
