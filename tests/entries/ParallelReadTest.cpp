// The version texts read on worker threads give the table a read on one thread gives: the same
// entries with the same texts in the same order, the same failures told once per refill, and no
// program read twice.
#include "Fixtures.h"
#include "entries/EntryTable.h"
#include "entries/RunKeys.h"
#include "portable/HeadlessWindowSystem.h"
#include "registry/RegistryValues.h"
#include "support/FailingAllocation.h"
#include "support/ForwardingVersionResources.h"
#include "support/PlatformBackend.h"
#include "ui/MainWindow.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <mutex>
#include <stdexcept>

namespace tolvan::test {
namespace {

using platform::reg::kCurrentUser;
using platform::reg::kLocalMachine;

constexpr std::wstring_view kFailingMark = L"no-memory";

// Runs out of memory reading the version resource of any program whose name has the mark: the
// allocation that follows the size query, on the thread that reads it, fails. Counts how often
// each file is read.
class OutOfMemoryWhileReading final : public ForwardingVersionResources {
public:
    using ForwardingVersionResources::ForwardingVersionResources;

    std::uint32_t VersionResourceSize(const platform::NulTerminated& fileName) noexcept override
    {
        try {
            const std::scoped_lock lock(readsGuard_);
            ++reads_[std::wstring(fileName)];
        } catch (...) {
            ADD_FAILURE() << "cannot count the reads";
        }
        const std::uint32_t size = ForwardingVersionResources::VersionResourceSize(fileName);
        if (fileName.View().find(kFailingMark) != std::wstring_view::npos) {
            FailNextAllocationOnThisThread();
        }
        return size;
    }

    // The most times one file was read since the last call.
    int MostReadsOfOneFile()
    {
        const std::scoped_lock lock(readsGuard_);
        int most = 0;
        for (const auto& [file, reads] : reads_) {
            most = std::max(most, reads);
        }
        reads_.clear();
        return most;
    }

private:
    std::mutex readsGuard_;
    std::map<std::wstring, int> reads_;
};

// An expansion that fails in a way nothing foresaw, for any text with the mark: a failure that
// differs from running out of memory.
class FailingExpansion final : public platform::Environment {
public:
    explicit FailingExpansion(const platform::Environment& inner) : inner_(inner) {}
    std::wstring Expand(std::wstring_view text) const override
    {
        if (text.find(L"tolvan-fails") != std::wstring_view::npos) {
            throw std::runtime_error("Unforeseen");
        }
        return inner_.Expand(text);
    }

private:
    const platform::Environment& inner_;
};

class ParallelRead : public ::testing::TestWithParam<PlatformKind> {
protected:
    void SetUp() override
    {
        const std::wstring folder = L"C:\\TolvanParallel\\";
        const std::pair<const wchar_t*, const wchar_t*> programs[] = {
            {L"details.exe", L"Minta.exe"},
            {L"product_only.exe", L"Product.exe"},
            {L"no_version.exe", L"Plain.exe"},
            {L"full.exe", L"Full program.exe"},
            {L"details.exe", L"tolvan-no-memory.exe"}};
        for (const auto& [fixture, name] : programs) {
            backend->PutCopyOf(folder + name, std::filesystem::path(FixtureFile(fixture)));
        }
        // Every kind of entry, many times over so that the workers take turns, in both keys:
        // programs with and without texts, one program started by several entries, a program
        // with spaces in its path and arguments, missing programs, an empty command, and a
        // program whose reading runs out of memory, and one whose expansion fails.
        for (int round = 0; round < 6; ++round) {
            const std::wstring n = std::to_wstring(round);
            std::wstring quoted = L"\"" + folder;
            quoted += L"Minta.exe\" /n";
            PutRunValue(kCurrentUser, L"Minta " + n, quoted + n);
            PutRunValue(kLocalMachine, L"Minta again " + n, folder + L"Minta.exe");
            PutRunValue(kCurrentUser, L"Product " + n, folder + L"Product.exe");
            PutRunValue(kLocalMachine, L"Plain " + n, folder + L"Plain.exe -q");
            PutRunValue(kCurrentUser, L"Full " + n, folder + L"Full program.exe --start");
            std::wstring missing = folder + L"Missing";
            missing += n;
            PutRunValue(kLocalMachine, L"Missing " + n, missing + L".exe");
        }
        PutRunValue(kCurrentUser, L"Empty", L"");
        PutRunValue(kCurrentUser, L"Failing", folder + L"tolvan-no-memory.exe");
        PutRunValue(kLocalMachine, L"Failing too", folder + L"tolvan-fails.exe /x",
                    platform::reg::kTypeExpandSz);
    }

    void PutRunValue(platform::RootKey root, const std::wstring& name, const std::wstring& command,
                     std::uint32_t type = platform::reg::kTypeSz)
    {
        ASSERT_EQ(
            registry::WriteString(real.registry, {root, entries::kRunKeyPath}, name, command, type),
            platform::reg::kSuccess);
    }

    static void ExpectSameTables(const entries::EntryTable& expected,
                                 const entries::EntryTable& actual)
    {
        ASSERT_EQ(actual.Count(), expected.Count());
        for (std::size_t index = 0; index < expected.Count(); ++index) {
            const entries::StartupEntry& want = *expected.EntryAt(index);
            const entries::StartupEntry& got = *actual.EntryAt(index);
            SCOPED_TRACE(want.name);
            EXPECT_EQ(got.scope, want.scope);
            EXPECT_EQ(got.name, want.name);
            EXPECT_EQ(got.command, want.command);
            EXPECT_EQ(got.programPath, want.programPath);
            EXPECT_EQ(got.arguments, want.arguments);
            EXPECT_EQ(got.productName, want.productName);
            EXPECT_EQ(got.companyName, want.companyName);
            EXPECT_EQ(got.legalCopyright, want.legalCopyright);
            EXPECT_EQ(got.description, want.description);
            EXPECT_EQ(got.displayText, want.displayText);
        }
    }

    static void ExpectSameReports(const entries::RefillReport& expected,
                                  const entries::RefillReport& actual)
    {
        ASSERT_EQ(actual.firstFailure.has_value(), expected.firstFailure.has_value());
        if (expected.firstFailure) {
            EXPECT_EQ(actual.firstFailure->description, expected.firstFailure->description);
            EXPECT_EQ(actual.firstFailure->number, expected.firstFailure->number);
        }
        EXPECT_EQ(actual.failedEntries, expected.failedEntries);
    }

    std::unique_ptr<PlatformBackend> backend = GetParam().make();
    platform::Platform& real = backend->Services();
    OutOfMemoryWhileReading failingVersions{real.versions};
    FailingExpansion failingExpansion{real.environment};
    platform::Platform services{
        real.registry,   real.shell,          real.messageBox,  real.files, real.collation,
        failingVersions, real.fileDialogs,    failingExpansion, real.clock, real.changeWatch,
        real.clipboard,  real.startupFolders, real.signatures};
};

TEST_P(ParallelRead, GivesTheTableOfASequentialRead)
{
    CountingVersionResources& counted = backend->Versions();
    entries::EntryTable sequential(services, 0);
    const long long before = counted.fileCalls;
    const entries::RefillReport expected = sequential.RefillNow();
    const long long sequentialCalls = counted.fileCalls - before;
    EXPECT_EQ(failingVersions.MostReadsOfOneFile(), 1);

    // What the comparison stands on: texts read, a program shared, both failures counted and the
    // one read first told.
    ASSERT_TRUE(expected.firstFailure.has_value());
    EXPECT_EQ(expected.firstFailure->description, L"Out of memory");
    EXPECT_EQ(expected.failedEntries, 2U);
    const auto entries = sequential.Entries();
    EXPECT_EQ(std::count_if(entries.begin(), entries.end(),
                            [](const entries::StartupEntry& entry) {
                                return entry.description == L"Mintaprogram árvíztűrő tükörfúrógép";
                            }),
              12);

    for (const unsigned readers : {1U, 2U, 7U}) {
        SCOPED_TRACE(readers);
        entries::EntryTable parallel(services, readers);
        const long long start = counted.fileCalls;
        ExpectSameReports(expected, parallel.RefillNow());
        ExpectSameTables(sequential, parallel);
        // Each program once, as on one thread: a program several entries start is not read
        // again, a missing one is asked for once.
        EXPECT_EQ(failingVersions.MostReadsOfOneFile(), 1);
        EXPECT_EQ(counted.fileCalls - start, sequentialCalls);

        // The next refill takes the texts kept and reads only what failed.
        const long long again = counted.fileCalls;
        ExpectSameReports(expected, parallel.RefillNow());
        ExpectSameTables(sequential, parallel);
        EXPECT_LT(counted.fileCalls - again, sequentialCalls);
        EXPECT_EQ(failingVersions.MostReadsOfOneFile(), 1);
    }
    EXPECT_FALSE(AllocationFailurePending());
}

// The main window reads while it opens: its list is the sequential table's, and the failures are
// told in one box.
TEST_P(ParallelRead, TheMainWindowShowsTheSameListAndOneBox)
{
    entries::EntryTable sequential(services, 0);
    (void)sequential.RefillNow();

    platform::portable::HeadlessWindowSystem windows;
    ui::InterfaceLanguage language(ui::Language::English);
    entries::EntryTable table(services, 2);
    ui::MainWindow window(services, windows, language, table);
    window.Show();

    const auto& shown = backend->Messages().shown;
    ASSERT_EQ(shown.size(), 1U);
    EXPECT_EQ(shown[0].text, L"Error: Out of memory (7)\r\n(and 1 more entries)");
    const auto& items = window.Controls().entryList.Items();
    ASSERT_EQ(items.size(), sequential.Count());
    for (std::size_t index = 0; index < items.size(); ++index) {
        EXPECT_EQ(items[index], sequential.EntryAt(index)->displayText);
    }
}

TOLVAN_FOR_EACH_PLATFORM(ParallelRead);

} // namespace
} // namespace tolvan::test
