// Running out of memory part way: while one entry's program is read, while a Run key is read and
// while a value is written. The refill goes on, the user hears of it once, and no failure passes
// for success.
#include "Fixtures.h"
#include "entries/EntryTable.h"
#include "entries/RunKeys.h"
#include "portable/HeadlessWindowSystem.h"
#include "registry/RegistryValues.h"
#include "support/Entries.h"
#include "support/FailingAllocation.h"
#include "support/ForwardingRegistry.h"
#include "support/PlatformBackend.h"
#include "ui/MainWindow.h"

#include <gtest/gtest.h>

namespace tolvan::test {
namespace {

using entries::Scope;
using entries::StartupEntry;
using platform::reg::kCurrentUser;
using platform::reg::kLocalMachine;

constexpr std::wstring_view kFailingName = L"tolvan-no-memory.exe";
constexpr std::wstring_view kFailingPath = L"C:\\WINDOWS\\tolvan-no-memory.exe";

// Answers the search for the failing name as found and lets the next allocation on the searching
// thread fail, which is the first one the working out of that entry's program makes after it.
class OutOfMemoryAfterSearch final : public platform::FileSearch {
public:
    explicit OutOfMemoryAfterSearch(platform::FileSearch& inner) noexcept : inner_(inner) {}

    bool AnyFileMatches(const platform::NulTerminated& pattern) noexcept override
    {
        if (pattern == kFailingPath) {
            FailNextAllocationOnThisThread();
            return true;
        }
        return inner_.AnyFileMatches(pattern);
    }

    // The failing program is not there: its search and its stamp only pretend it is, so that a
    // read that failed would be taken from the version texts kept between refills if it had been
    // kept. The stamp is made without memory, which would spend the pending failure.
    std::optional<platform::FileStamp>
    StampOf(const platform::NulTerminated& path) noexcept override
    {
        if (path == kFailingPath) {
            return platform::FileStamp{1, 1};
        }
        return inner_.StampOf(path);
    }
    std::optional<std::uint64_t>
    FolderWriteTime(const platform::NulTerminated& folder) noexcept override
    {
        return inner_.FolderWriteTime(folder);
    }
    platform::ErrorCode WriteWholeFile(const platform::NulTerminated& path,
                                       std::span<const std::byte> bytes) noexcept override
    {
        return inner_.WriteWholeFile(path, bytes);
    }

private:
    platform::FileSearch& inner_;
};

class OutOfMemory : public ::testing::TestWithParam<PlatformKind> {
protected:
    void SetUp() override
    {
        backend->PutCopyOf(L"C:\\WINDOWS\\System32\\tolvan-present.exe",
                           std::filesystem::path(FixtureFile(L"details.exe")));
    }

    void PutRunValue(platform::RootKey root, const platform::NulTerminated& name,
                     std::wstring_view command)
    {
        ASSERT_EQ(registry::WriteString(real.registry, {root, entries::kRunKeyPath}, name, command),
                  platform::reg::kSuccess);
    }

    std::unique_ptr<PlatformBackend> backend = GetParam().make();
    platform::Platform& real = backend->Services();
    OutOfMemoryAfterSearch failingFiles{real.files};
    platform::Platform services{
        real.registry,  real.shell,          real.messageBox,  failingFiles, real.collation,
        real.versions,  real.fileDialogs,    real.environment, real.clock,   real.changeWatch,
        real.clipboard, real.startupFolders, real.signatures};
};

TEST_P(OutOfMemory, EveryFailingEntryIsCountedAndTheRestIsResolved)
{
    std::vector<StartupEntry> entries{
        MakeEntry(Scope::CurrentUser, L"first", L"\"C:\\A\\a.exe\" -x"),
        MakeEntry(Scope::CurrentUser, L"failing", std::wstring(kFailingName)),
        MakeEntry(Scope::AllUsers, L"present", L"tolvan-present.exe"),
        MakeEntry(Scope::AllUsers, L"failing again", std::wstring(kFailingName))};
    entries::EntryTable table(services);
    entries::RefillReport report;
    table.Resolve(entries, report);
    EXPECT_FALSE(AllocationFailurePending());

    ASSERT_TRUE(report.firstFailure.has_value());
    EXPECT_EQ(report.firstFailure->description, L"Out of memory");
    EXPECT_EQ(report.firstFailure->number, 7);
    EXPECT_EQ(report.failedEntries, 2u);
    EXPECT_EQ(entries[0].displayText, L"first;  (C:\\A\\a.exe)");
    EXPECT_EQ(entries[1].displayText, L"failing;  (C:\\WINDOWS\\tolvan-no-memory.exe)");
    EXPECT_EQ(entries[1].productName, L"");
    // Read after the failure: the refill went on.
    EXPECT_EQ(entries[2].displayText, L"Mintaprogram árvíztűrő tükörfúrógép");
    EXPECT_EQ(entries[2].companyName, L"Kavrenta Kft.");
    EXPECT_EQ(entries[3].displayText, L"failing again;  (C:\\WINDOWS\\tolvan-no-memory.exe)");
}

// However many programs fail, a refill of the main window shows one box: the first failure, and
// how many more there were, in the window's language.
TEST_P(OutOfMemory, TheMainWindowShowsOneBoxPerRefill)
{
    PutRunValue(kCurrentUser, L"present", L"tolvan-present.exe");
    for (const wchar_t* name : {L"failing 1", L"failing 2", L"failing 3"}) {
        PutRunValue(kLocalMachine, name, kFailingName);
    }
    platform::portable::HeadlessWindowSystem windows;
    ui::InterfaceLanguage language(ui::Language::English);
    entries::EntryTable table(services, 0);
    ui::MainWindow window(services, windows, language, table);
    window.Show();

    auto& shown = backend->Messages().shown;
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, L"Error: Out of memory (7)\r\n(and 2 more entries)");
    EXPECT_EQ(shown[0].title, L"Tolvan");
    EXPECT_EQ(shown[0].buttons, platform::MessageButtons::Ok);
    EXPECT_EQ(shown[0].icon, platform::MessageIcon::None);
    EXPECT_EQ(window.Controls().entryList.Items().size(), 4u);

    // The box holds the window: New clicked while it is up starts no editor and no refill
    // inside the refill, which would list every entry twice.
    backend->Messages().whileShown = [&] { window.Controls().newButton.RaiseClick(); };
    window.ApplyLanguage(ui::Language::Hungarian);
    window.RefillList();
    backend->Messages().whileShown = nullptr;
    EXPECT_EQ(windows.ModalShowings(), 0);
    EXPECT_EQ(window.Controls().entryList.Items().size(), 4u);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].text, L"Error: Out of memory (7)\r\n(és még 2 bejegyzés)");

    // A single failure is told as it always was.
    for (const wchar_t* name : {L"failing 2", L"failing 3"}) {
        ASSERT_EQ(registry::DeleteValue(real.registry, {kLocalMachine, entries::kRunKeyPath}, name),
                  platform::reg::kSuccess);
    }
    window.RefillList();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[2].text, L"Error: Out of memory (7)");
    EXPECT_FALSE(AllocationFailurePending());
}

// Forwards to a registry, and lets the first allocation after the n-th value listed fail.
class OutOfMemoryAfterQuery final : public ForwardingRegistry {
public:
    OutOfMemoryAfterQuery(platform::Registry& inner, int failingQuery) noexcept
        : ForwardingRegistry(inner), queriesLeft_(failingQuery)
    {
    }

    platform::ErrorCode EnumValue(platform::KeyHandle key, std::uint32_t index,
                                  std::span<wchar_t> name, std::uint32_t& nameLength,
                                  std::uint32_t& type, std::span<std::byte> data,
                                  std::uint32_t& dataSize) noexcept override
    {
        const platform::ErrorCode result =
            ForwardingRegistry::EnumValue(key, index, name, nameLength, type, data, dataSize);
        if (--queriesLeft_ == 0) {
            FailNextAllocation();
        }
        return result;
    }

private:
    int queriesLeft_;
};

// Memory running out while a Run key is read is a failure, never success; what was read before
// stays, and the key is closed.
TEST_P(OutOfMemory, AReadRunKeyThatRunsOutOfMemoryFails)
{
    PutRunValue(kCurrentUser, L"one", L"C:\\one.exe");
    PutRunValue(kCurrentUser, L"two", L"C:\\two.exe");
    OutOfMemoryAfterQuery failing(real.registry, 2);
    std::vector<StartupEntry> read;
    EXPECT_THROW((void)entries::ReadRunKey(failing, Scope::CurrentUser, read), std::bad_alloc);
    EXPECT_FALSE(AllocationFailurePending());
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].command, L"C:\\one.exe");
    if (const auto open = backend->Registry().OpenKeyCount()) {
        EXPECT_EQ(*open, 0);
    }
}

TEST_P(OutOfMemory, AValueThatCannotBeConvertedIsNotWritten)
{
    FailNextAllocation();
    EXPECT_EQ(registry::WriteString(real.registry, {kCurrentUser, entries::kRunKeyPath}, L"name",
                                    L"C:\\a long enough command.exe"),
              platform::reg::kNotEnoughMemory);
    EXPECT_FALSE(AllocationFailurePending());
}

TOLVAN_FOR_EACH_PLATFORM(OutOfMemory);

} // namespace
} // namespace tolvan::test
