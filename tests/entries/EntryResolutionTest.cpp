// From a Run command to the executable, its arguments and the line the list shows.
#include "entries/EntryTable.h"
#include "support/Entries.h"
#include "support/PlatformBackend.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace tolvan::test {
namespace {

using entries::Scope;
using entries::StartupEntry;
constexpr std::wstring_view kProbeName = L"tolvan-ctfmon.exe";
constexpr std::wstring_view kProbeInSystem32 = L"C:\\WINDOWS\\System32\\tolvan-ctfmon.exe";

struct Row {
    std::wstring command;
    std::wstring programPath;
    std::wstring arguments;
};

class ResolveEntries : public ::testing::TestWithParam<PlatformKind> {
protected:
    // Resolves the entries in table order; nothing to report.
    void Resolve(std::vector<StartupEntry>& entries)
    {
        entries::RefillReport report;
        table.Resolve(entries, report);
        EXPECT_FALSE(report.firstFailure.has_value());
    }

    // Resolves one entry with this command and checks what it receives.
    void ExpectRow(const Row& row)
    {
        SCOPED_TRACE(::testing::Message()
                     << "Command: [" << ::testing::PrintToString(row.command) << "]");
        std::vector<StartupEntry> entries{MakeEntry(Scope::CurrentUser, L"N", row.command)};
        Resolve(entries);
        EXPECT_EQ(entries[0].programPath, row.programPath);
        EXPECT_EQ(entries[0].arguments, row.arguments);
        EXPECT_EQ(entries[0].displayText, L"N;  (" + row.programPath + L")");
        EXPECT_EQ(entries[0].name, L"N");
        EXPECT_EQ(entries[0].command, row.command);
        EXPECT_EQ(entries[0].scope, Scope::CurrentUser);
    }

    std::unique_ptr<PlatformBackend> backend = GetParam().make();
    entries::EntryTable table{backend->Services()};
};

TEST_P(ResolveEntries, CommandsThatNameAFolderAreSplitByTheirTextAlone)
{
    const std::vector<Row> rows = {
        {L"\"C:\\Program Files\\A\\a.exe\" -min", L"C:\\Program Files\\A\\a.exe", L"-min"},
        {L"C:\\Program Files\\A\\a.exe /s", L"C:\\Program Files\\A\\a.exe", L"/s"},
        {L"C:\\A\\B.EXE", L"C:\\A\\B.EXE", L""},
        {L"C:\\A\\b.exe/silent", L"C:\\A\\b.exe", L"/silent"},
        {L"C:\\x.exe.d\\y.exe", L"C:\\x.exe", L".d\\y.exe"},
        {L"rundll32.exe C:\\A\\x.dll,Run", L"rundll32.exe", L"C:\\A\\x.dll,Run"},
        {L"C:\\A\\tool.cmd", L"", L""},
        {L"\"\" C:\\A\\x.txt", L"", L"C:\\A\\x.txt"},
        {L"%ProgramFiles%\\A\\a.exe", L"%ProgramFiles%\\A\\a.exe", L""},
        {L"  \"C:\\A\\a.exe\"   -x  y  ", L"C:\\A\\a.exe", L"-x  y"},
        {L"C:\\A\\MiXeD.ExE\t-t", L"C:\\A\\MiXeD.ExE", L"\t-t"},
        {L"\"C:\\A\\a.exe\"\t", L"C:\\A\\a.exe", L"\t"},
        {std::wstring(L"C:\\A\\a.exe\0", 11), L"C:\\A\\a.exe", L""},
        // An unclosed quotation mark runs to the end of the line, as Windows reads it.
        {L"\"C:\\Program Files\\A\\a.exe -min  ", L"C:\\Program Files\\A\\a.exe -min", L""},
    };
    for (const Row& row : rows) {
        ExpectRow(row);
    }
    // None of these is split by looking at the file system: the only file looked for is the
    // program found, to tell a missing one.
    for (const std::wstring& pattern : backend->Files().patterns) {
        EXPECT_TRUE(std::any_of(rows.begin(), rows.end(),
                                [&](const Row& row) { return row.programPath == pattern; }));
    }
}

TEST_P(ResolveEntries, ExtensionFarIntoALongCommandIsStillFound)
{
    const std::wstring folder = L"C:\\" + std::wstring(40000, L'a') + L"\\";
    ExpectRow({folder + L"far.exe --go", folder + L"far.exe", L"--go"});
}

TEST_P(ResolveEntries, BareNamesAreLookedForInTheThreeWindowsFolders)
{
    backend->PutFile(kProbeInSystem32);
    ExpectRow({std::wstring(kProbeName), std::wstring(kProbeInSystem32), L""});
    EXPECT_EQ(backend->Files().patterns,
              (std::vector<std::wstring>{L"C:\\WINDOWS\\tolvan-ctfmon.exe",
                                         L"C:\\WINDOWS\\System32\\tolvan-ctfmon.exe"}));

    backend->Files().patterns.clear();
    ExpectRow({L"tolvan-missing.exe", L"", L""});
    EXPECT_EQ(backend->Files().patterns,
              (std::vector<std::wstring>{L"C:\\WINDOWS\\tolvan-missing.exe",
                                         L"C:\\WINDOWS\\System32\\tolvan-missing.exe",
                                         L"C:\\WINDOWS\\System\\tolvan-missing.exe"}));
}

TEST_P(ResolveEntries, FoldersAreTriedInTheirFixedOrder)
{
    backend->PutFile(L"C:\\WINDOWS\\System\\tolvan-old.exe");
    backend->PutFile(L"C:\\WINDOWS\\System32\\tolvan-both.exe");
    backend->PutFile(L"C:\\WINDOWS\\tolvan-both.exe");
    ExpectRow({L"tolvan-old.exe", L"C:\\WINDOWS\\System\\tolvan-old.exe", L""});
    ExpectRow({L"TOLVAN-BOTH.EXE", L"C:\\WINDOWS\\TOLVAN-BOTH.EXE", L""});
}

TEST_P(ResolveEntries, BareNamesThatNameNoFileStayUnresolved)
{
    backend->PutFile(kProbeInSystem32);
    backend->PutFolder(L"C:\\WINDOWS\\System32\\tolvan-folder.exe");
    const std::vector<Row> rows = {
        {std::wstring(kProbeName) + L" /n", L"", L""}, // used whole, arguments included
        {L"\"\" x", L"", L""},
        {L"\"", L"", L""},
        {L"    ", L"", L""},
        {L"", L"", L""},
        {std::wstring(L"\0", 1), L"", L""},
        {L"tolvan-folder.exe", L"", L""},
    };
    for (const Row& row : rows) {
        ExpectRow(row);
    }
}

TEST_P(ResolveEntries, EveryEntryIsResolvedInTableOrder)
{
    backend->PutFile(kProbeInSystem32);
    std::vector<StartupEntry> entries{
        MakeEntry(Scope::CurrentUser, L"first", L"\"C:\\A\\a.exe\" -a"),
        MakeEntry(Scope::AllUsers, L"second", std::wstring(kProbeName)),
        MakeEntry(Scope::CurrentUser, L"third", L"C:\\A\\tool.cmd")};
    Resolve(entries);
    EXPECT_EQ(entries[0].displayText, L"first;  (C:\\A\\a.exe)");
    EXPECT_EQ(entries[1].displayText, L"second;  (C:\\WINDOWS\\System32\\tolvan-ctfmon.exe)");
    EXPECT_EQ(entries[1].scope, Scope::AllUsers);
    EXPECT_EQ(entries[2].displayText, L"third;  ()");
}

TOLVAN_FOR_EACH_PLATFORM(ResolveEntries);

} // namespace
} // namespace tolvan::test
