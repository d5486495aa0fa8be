// The refill of the entry table from the Run keys of every scope.
#include "entries/EntryTable.h"

#include "Fixtures.h"
#include "entries/EntryDetails.h"
#include "entries/EntrySwitches.h"
#include "registry/RegistryValues.h"
#include "support/FaultyRegistry.h"
#include "support/PlatformBackend.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <vector>

namespace tolvan::test {
namespace {

using entries::Scope;
using platform::reg::kCurrentUser;
using platform::reg::kLocalMachine;

class RefillEntryTable : public ::testing::TestWithParam<PlatformKind> {
protected:
    // The table, rebuilt; no failure to report.
    std::span<const entries::StartupEntry> Refilled()
    {
        const entries::RefillReport report = table.RefillNow();
        EXPECT_FALSE(report.firstFailure.has_value());
        EXPECT_EQ(report.failedEntries, 0u);
        return table.Entries();
    }

    void PutRunValue(platform::RootKey root, const platform::NulTerminated& name,
                     std::wstring_view command)
    {
        PutEntryValue(root == kCurrentUser ? Scope::CurrentUser : Scope::AllUsers, name, command,
                      platform::reg::kTypeSz);
    }

    void PutEntryValue(Scope scope, const platform::NulTerminated& name, std::wstring_view command,
                       std::uint32_t type)
    {
        ASSERT_EQ(registry::WriteString(backend->Registry().Registry(), entries::RunKeyOf(scope),
                                        name, command, type),
                  0);
    }

    std::unique_ptr<PlatformBackend> backend = GetParam().make();
    entries::EntryTable table{backend->Services()};
};

TEST_P(RefillEntryTable, ReadsBothRootsResolvesAndSorts)
{
    backend->PutFile(L"C:\\WINDOWS\\System32\\tolvan-tray.exe");
    PutRunValue(kCurrentUser, L"zulu", L"\"C:\\Z\\z.exe\" --hidden");
    PutRunValue(kCurrentUser, L"Tray", L"tolvan-tray.exe");
    PutRunValue(kLocalMachine, L"alpha", L"C:\\A\\a.exe /s");
    PutRunValue(kLocalMachine, L"zulu", L"C:\\Z\\other.exe");

    PutRunValue(kCurrentUser, L"left over", L"from an earlier refill");
    EXPECT_EQ(Refilled().size(), 5u);
    ASSERT_EQ(registry::DeleteValue(backend->Registry().Registry(),
                                    {kCurrentUser, entries::kRunKeyPath}, L"left over"),
              0);
    const auto listed = Refilled();

    ASSERT_EQ(listed.size(), 4u);
    EXPECT_EQ(listed[0].displayText, L"alpha;  (C:\\A\\a.exe)");
    EXPECT_EQ(listed[0].scope, Scope::AllUsers);
    EXPECT_EQ(listed[0].arguments, L"/s");
    EXPECT_EQ(listed[1].displayText, L"Tray;  (C:\\WINDOWS\\System32\\tolvan-tray.exe)");
    EXPECT_EQ(listed[2].displayText, L"zulu;  (C:\\Z\\other.exe)");
    EXPECT_EQ(listed[2].scope, Scope::AllUsers);
    EXPECT_EQ(listed[3].displayText, L"zulu;  (C:\\Z\\z.exe)");
    EXPECT_EQ(listed[3].scope, Scope::CurrentUser);
    EXPECT_EQ(listed[3].arguments, L"--hidden");
}

// An expandable command finds its program after the process's variables are expanded, by the
// same rules as any other command; the command itself is kept as stored. A plain string is
// never expanded. The 32-bit programs' key is a scope of its own.
TEST_P(RefillEntryTable, ExpandableCommandsAndThe32BitKeyAreListed)
{
    using platform::reg::kTypeExpandSz;
    using platform::reg::kTypeSz;
    backend->SetVariable(L"TOLVAN_APPS", L"C:\\Tolvan Apps");
    backend->SetVariable(L"TOLVAN_TRAY", L"tolvan-tray");
    backend->PutCopyOf(L"C:\\Tolvan Apps\\app.exe", FixtureFile(L"details.exe"));
    backend->PutFile(L"C:\\WINDOWS\\System32\\tolvan-tray.exe");
    PutEntryValue(Scope::CurrentUser, L"quoted", L"\"%tolvan_apps%\\app.exe\" --tray",
                  kTypeExpandSz);
    PutEntryValue(Scope::CurrentUser, L"bare", L"%TOLVAN_TRAY%.exe", kTypeExpandSz);
    PutEntryValue(Scope::AllUsers, L"unknown", L"%TOLVAN_UNDEFINED%\\x.exe", kTypeExpandSz);
    PutEntryValue(Scope::AllUsers, L"plain", L"%TOLVAN_APPS%\\app.exe", kTypeSz);
    PutEntryValue(Scope::AllUsers32Bit, L"plain", L"C:\\x86\\old.exe", kTypeSz);

    const auto listed = Refilled();

    ASSERT_EQ(listed.size(), 5u);
    EXPECT_EQ(listed[0].displayText, L"bare;  (C:\\WINDOWS\\System32\\tolvan-tray.exe)");
    EXPECT_EQ(listed[1].displayText, L"Mintaprogram árvíztűrő tükörfúrógép");
    EXPECT_EQ(listed[1].command, L"\"%tolvan_apps%\\app.exe\" --tray");
    EXPECT_EQ(listed[1].valueType, kTypeExpandSz);
    EXPECT_EQ(listed[1].programPath, L"C:\\Tolvan Apps\\app.exe");
    EXPECT_EQ(listed[1].arguments, L"--tray");
    EXPECT_EQ(listed[2].displayText, L"plain;  (%TOLVAN_APPS%\\app.exe)");
    EXPECT_EQ(listed[2].scope, Scope::AllUsers);
    EXPECT_EQ(listed[3].displayText, L"plain;  (C:\\x86\\old.exe)");
    EXPECT_EQ(listed[3].scope, Scope::AllUsers32Bit);
    EXPECT_EQ(listed[4].displayText, L"unknown;  (%TOLVAN_UNDEFINED%\\x.exe)");
    EXPECT_FALSE(entries::ProgramFileExists(backend->Services().files, listed[4].programPath));
}

TEST_P(RefillEntryTable, NoRunValuesGiveAnEmptyTable)
{
    EXPECT_TRUE(Refilled().empty());
}

// Files named like programs that are not programs: each is listed by name and path without
// version texts and without a message, and only the folder counts as missing.
TEST_P(RefillEntryTable, FilesThatOnlyLookLikeProgramsAreListedWithoutDetails)
{
    std::ifstream fixture(std::filesystem::path(FixtureFile(L"full.exe")), std::ios::binary);
    const std::vector<char> program((std::istreambuf_iterator<char>(fixture)),
                                    std::istreambuf_iterator<char>());
    ASSERT_GT(program.size(), 1024u);
    const auto firstBytes = [&](std::size_t count) {
        return std::as_bytes(std::span(program).first(count));
    };
    const std::string text = "This is a text file, not a program.\r\n";
    backend->PutFile(L"C:\\Bad\\empty.exe");
    backend->PutFile(L"C:\\Bad\\text.exe", std::as_bytes(std::span(text)));
    backend->PutFile(L"C:\\Bad\\headers cut.exe", firstBytes(200));
    backend->PutFile(L"C:\\Bad\\half.exe", firstBytes(program.size() / 2));
    backend->PutFolder(L"C:\\Bad\\x.exe");
    PutRunValue(kCurrentUser, L"empty", L"C:\\Bad\\empty.exe");
    PutRunValue(kCurrentUser, L"text", L"\"C:\\Bad\\text.exe\" /x");
    PutRunValue(kLocalMachine, L"headers cut", L"C:\\Bad\\headers cut.exe");
    PutRunValue(kLocalMachine, L"half", L"C:\\Bad\\half.exe -q");
    PutRunValue(kLocalMachine, L"x", L"C:\\Bad\\x.exe");

    const auto listed = Refilled();

    ASSERT_EQ(listed.size(), 5u);
    EXPECT_EQ(listed[0].displayText, L"empty;  (C:\\Bad\\empty.exe)");
    EXPECT_EQ(listed[1].displayText, L"half;  (C:\\Bad\\half.exe)");
    EXPECT_EQ(listed[2].displayText, L"headers cut;  (C:\\Bad\\headers cut.exe)");
    EXPECT_EQ(listed[3].displayText, L"text;  (C:\\Bad\\text.exe)");
    EXPECT_EQ(listed[4].displayText, L"x;  (C:\\Bad\\x.exe)");
    for (const entries::StartupEntry& entry : listed) {
        SCOPED_TRACE(std::string(entry.name.begin(), entry.name.end()));
        EXPECT_EQ(entry.productName + entry.companyName + entry.legalCopyright + entry.description,
                  L"");
        // The main window says "no information available" for a file and "file is missing"
        // for anything else.
        EXPECT_EQ(entries::ProgramFileExists(backend->Services().files, entry.programPath),
                  entry.name != L"x");
    }
}

// A source that fails part way keeps what was read of it and is reported; a value that vanishes
// while the key is read is left out and is no failure.
TEST_P(RefillEntryTable, ASourceThatFailsPartWayIsReportedWithWhatWasRead)
{
    using Call = FaultyRegistry::Call;
    struct Row {
        Call call;
        int nth;
        platform::ErrorCode code; // 0: the value being read vanishes first
        std::vector<std::wstring> listed;
        std::vector<entries::SourceFailure> unread;
    };
    const std::vector<Row> rows = {
        {Call::Open, 1, 5, {}, {{Scope::CurrentUser, false, 5}}},
        {Call::Enumerate, 2, 1450, {L"one"}, {{Scope::CurrentUser, false, 1450}}},
        {Call::Enumerate, 2, 0, {L"one", L"three"}, {}},
        {Call::Open, 2, 5, {L"one", L"three", L"two"}, {{Scope::CurrentUser, true, 5}}},
    };
    platform::Platform& real = backend->Services();
    ASSERT_EQ(entries::WriteSwitch(real.registry, Scope::CurrentUser, L"three", true, 1), 0);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.nth);
        for (const wchar_t* name : {L"one", L"two", L"three"}) {
            PutRunValue(kCurrentUser, name, L"C:\\P\\p.exe");
        }
        FaultyRegistry faulty(real.registry, row.call, row.nth, row.code);
        if (row.code == 0) {
            faulty.before = [&] {
                EXPECT_EQ(registry::DeleteValue(real.registry, {kCurrentUser, entries::kRunKeyPath},
                                                L"two"),
                          0);
            };
        }
        platform::Platform services{
            faulty,         real.shell,          real.messageBox,  real.files, real.collation,
            real.versions,  real.fileDialogs,    real.environment, real.clock, real.changeWatch,
            real.clipboard, real.startupFolders, real.signatures};
        entries::EntryTable faultyTable{services};
        const entries::RefillReport report = faultyTable.RefillNow();
        std::vector<std::wstring> listed;
        for (const entries::StartupEntry& entry : faultyTable.Entries()) {
            if (entry.scope == Scope::CurrentUser) {
                listed.push_back(entry.name);
                const bool switchRead = row.unread.empty() || !row.unread[0].switches;
                EXPECT_EQ(entry.switchUnreadable, !switchRead);
                EXPECT_EQ(entry.switchedOff, switchRead && entry.name == L"three");
            }
        }
        std::ranges::sort(listed);
        EXPECT_EQ(listed, row.listed);
        EXPECT_EQ(report.unreadSources, row.unread);
    }
}

TOLVAN_FOR_EACH_PLATFORM(RefillEntryTable);

} // namespace
} // namespace tolvan::test
