// The version texts kept between refills of the entry table: a refill reads only the program files
// that are new or changed since the one before, and shows what they hold now.
#include "Fixtures.h"
#include "entries/EntryTable.h"
#include "registry/RegistryValues.h"
#include "support/PlatformBackend.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>

namespace tolvan::test {
namespace {

using platform::reg::kCurrentUser;
using platform::reg::kLocalMachine;

constexpr std::wstring_view kA = L"C:\\TolvanCache\\a.exe";
constexpr std::wstring_view kB = L"C:\\TolvanCache\\b.exe";
constexpr std::wstring_view kC = L"C:\\TolvanCache\\c.exe";

class RefillVersionTexts : public ::testing::TestWithParam<PlatformKind> {
protected:
    void PutRunValue(platform::RootKey root, const platform::NulTerminated& name,
                     std::wstring_view program)
    {
        ASSERT_EQ(registry::WriteString(backend->Registry().Registry(),
                                        {root, entries::kRunKeyPath}, name,
                                        L"\"" + std::wstring(program) + L"\" /tray"),
                  platform::reg::kSuccess);
    }

    // Refills the table; how many version reads named a file, and each entry's line and texts.
    struct Refill {
        long long fileReads = 0;
        std::map<std::wstring, std::wstring> texts; // name -> line | product | company | copyright
    };
    Refill Refilled()
    {
        const long long before = backend->Versions().fileCalls;
        const entries::RefillReport report = table.RefillNow();
        EXPECT_FALSE(report.firstFailure.has_value());
        Refill refill{backend->Versions().fileCalls - before, {}};
        for (const entries::StartupEntry& entry : table.Entries()) {
            refill.texts[entry.name] = entry.displayText + L"|" + entry.productName + L"|" +
                                       entry.companyName + L"|" + entry.legalCopyright;
        }
        return refill;
    }

    std::filesystem::path Host(std::wstring_view path) { return backend->HostPath(path); }

    std::unique_ptr<PlatformBackend> backend = GetParam().make();
    entries::EntryTable table{backend->Services()};
};

TEST_P(RefillVersionTexts, OnlyNewAndChangedProgramFilesAreReadAgain)
{
    backend->PutCopyOf(kA, FixtureFile(L"full.exe"));
    backend->PutCopyOf(kB, FixtureFile(L"details.exe"));
    backend->PutCopyOf(kC, FixtureFile(L"product_only.exe"));
    PutRunValue(kCurrentUser, L"a", kA);
    PutRunValue(kLocalMachine, L"b", kB);
    PutRunValue(kLocalMachine, L"c", kC);

    const Refill cold = Refilled();
    ASSERT_EQ(cold.texts.size(), 3u);
    ASSERT_GT(cold.fileReads, 0);
    ASSERT_EQ(cold.fileReads % 3, 0);
    const long long readsOfOneFile = cold.fileReads / 3;

    // Nothing changed: every text comes from the refill before.
    Refill again = Refilled();
    EXPECT_EQ(again.fileReads, 0);
    EXPECT_EQ(again.texts, cold.texts);

    // a.exe replaced by another program of another size: read again, and its texts shown.
    ASSERT_NE(std::filesystem::file_size(FixtureFile(L"full.exe")),
              std::filesystem::file_size(FixtureFile(L"details.exe")));
    backend->PutCopyOf(kA, FixtureFile(L"details.exe"));
    again = Refilled();
    EXPECT_EQ(again.fileReads, readsOfOneFile);
    EXPECT_NE(again.texts[L"a"], cold.texts.at(L"a"));
    EXPECT_EQ(again.texts[L"a"], cold.texts.at(L"b")); // a program with a description
    EXPECT_EQ(again.texts[L"b"], cold.texts.at(L"b"));

    // c.exe written again with the same size: only its time tells, and it is read again.
    const auto written = std::filesystem::last_write_time(Host(kC));
    std::filesystem::last_write_time(Host(kC), written - std::chrono::hours(1));
    again = Refilled();
    EXPECT_EQ(again.fileReads, readsOfOneFile);
    EXPECT_EQ(again.texts[L"c"], cold.texts.at(L"c"));

    // b.exe gone: listed by name and path without texts, on every refill; back: read again.
    ASSERT_TRUE(std::filesystem::remove(Host(kB)));
    for (int refill = 0; refill < 2; ++refill) {
        again = Refilled();
        EXPECT_EQ(again.texts[L"b"], L"b;  (" + std::wstring(kB) + L")|||");
    }
    backend->PutCopyOf(kB, FixtureFile(L"details.exe"));
    again = Refilled();
    EXPECT_EQ(again.fileReads, readsOfOneFile);
    EXPECT_EQ(again.texts[L"b"], cold.texts.at(L"b"));

    // A program no longer listed is forgotten: listed again, it is read again.
    ASSERT_EQ(registry::DeleteValue(backend->Registry().Registry(),
                                    {kLocalMachine, entries::kRunKeyPath}, L"c"),
              platform::reg::kSuccess);
    EXPECT_EQ(Refilled().fileReads, 0);
    PutRunValue(kLocalMachine, L"c", kC);
    again = Refilled();
    EXPECT_EQ(again.fileReads, readsOfOneFile);
    EXPECT_EQ(again.texts[L"c"], cold.texts.at(L"c"));
}

TOLVAN_FOR_EACH_PLATFORM(RefillVersionTexts);

} // namespace
} // namespace tolvan::test
