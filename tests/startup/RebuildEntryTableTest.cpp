// The refill of the entry table from both Run keys.
#include "Fixtures.h"
#include "registry/modRegistry.h"
#include "startup/modTolvan.h"
#include "support/PlatformBackend.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <vector>

namespace tolvan::test {
namespace {

using modTolvan::entries;
using platform::reg::kCurrentUser;
using platform::reg::kLocalMachine;

class RebuildEntryTable : public ::testing::TestWithParam<PlatformKind> {
protected:
    void SetUp() override
    {
        modTolvan::ClearEntries();
        backend_ = GetParam().make();
    }
    void TearDown() override { modTolvan::ClearEntries(); }

    void PutRunValue(platform::RootKey root, std::wstring_view name, std::wstring_view command)
    {
        ASSERT_EQ(modRegistry::SetStringValue(backend_->registry().registry(), root,
                                              modRegistry::kRunKeyPath, name, command),
                  0);
    }

    std::unique_ptr<PlatformBackend> backend_;
};

TEST_P(RebuildEntryTable, ReadsBothRootsResolvesAndSorts)
{
    backend_->PutFile(L"C:\\WINDOWS\\System32\\tolvan-tray.exe");
    PutRunValue(kCurrentUser, L"zulu", L"\"C:\\Z\\z.exe\" --hidden");
    PutRunValue(kCurrentUser, L"Tray", L"tolvan-tray.exe");
    PutRunValue(kLocalMachine, L"alpha", L"C:\\A\\a.exe /s");
    PutRunValue(kLocalMachine, L"zulu", L"C:\\Z\\other.exe");

    modTolvan::AddEntry(kCurrentUser, L"left over", L"from an earlier refill");
    modTolvan::RebuildEntryTable(backend_->services());

    ASSERT_EQ(modTolvan::entryCount(), 4);
    EXPECT_EQ(entries[0].DisplayText, L"alpha;  (C:\\A\\a.exe)");
    EXPECT_EQ(entries[0].TopKey, kLocalMachine);
    EXPECT_EQ(entries[0].Arguments, L"/s");
    EXPECT_EQ(entries[1].DisplayText, L"Tray;  (C:\\WINDOWS\\System32\\tolvan-tray.exe)");
    EXPECT_EQ(entries[2].DisplayText, L"zulu;  (C:\\Z\\other.exe)");
    EXPECT_EQ(entries[2].TopKey, kLocalMachine);
    EXPECT_EQ(entries[3].DisplayText, L"zulu;  (C:\\Z\\z.exe)");
    EXPECT_EQ(entries[3].TopKey, kCurrentUser);
    EXPECT_EQ(entries[3].Arguments, L"--hidden");
    EXPECT_TRUE(backend_->messageBox().shown.empty());
}

TEST_P(RebuildEntryTable, NoRunValuesGiveAnEmptyTable)
{
    modTolvan::AddEntry(kCurrentUser, L"left over", L"from an earlier refill");
    modTolvan::RebuildEntryTable(backend_->services());
    EXPECT_EQ(modTolvan::entryCount(), 0);
}

// Files named like programs that are not programs: each is listed by name and path without
// version texts and without a message, and only the folder counts as missing.
TEST_P(RebuildEntryTable, FilesThatOnlyLookLikeProgramsAreListedWithoutDetails)
{
    std::ifstream fixture(std::filesystem::path(FixtureFile(L"full.exe")), std::ios::binary);
    const std::vector<char> program((std::istreambuf_iterator<char>(fixture)),
                                    std::istreambuf_iterator<char>());
    ASSERT_GT(program.size(), 1024u);
    const auto firstBytes = [&](std::size_t count) {
        return std::as_bytes(std::span(program).first(count));
    };
    const std::string text = "This is a text file, not a program.\r\n";
    backend_->PutFile(L"C:\\Bad\\empty.exe");
    backend_->PutFile(L"C:\\Bad\\text.exe", std::as_bytes(std::span(text)));
    backend_->PutFile(L"C:\\Bad\\headers cut.exe", firstBytes(200));
    backend_->PutFile(L"C:\\Bad\\half.exe", firstBytes(program.size() / 2));
    backend_->PutFolder(L"C:\\Bad\\x.exe");
    PutRunValue(kCurrentUser, L"empty", L"C:\\Bad\\empty.exe");
    PutRunValue(kCurrentUser, L"text", L"\"C:\\Bad\\text.exe\" /x");
    PutRunValue(kLocalMachine, L"headers cut", L"C:\\Bad\\headers cut.exe");
    PutRunValue(kLocalMachine, L"half", L"C:\\Bad\\half.exe -q");
    PutRunValue(kLocalMachine, L"x", L"C:\\Bad\\x.exe");

    modTolvan::RebuildEntryTable(backend_->services());

    ASSERT_EQ(modTolvan::entryCount(), 5);
    EXPECT_EQ(entries[0].DisplayText, L"empty;  (C:\\Bad\\empty.exe)");
    EXPECT_EQ(entries[1].DisplayText, L"half;  (C:\\Bad\\half.exe)");
    EXPECT_EQ(entries[2].DisplayText, L"headers cut;  (C:\\Bad\\headers cut.exe)");
    EXPECT_EQ(entries[3].DisplayText, L"text;  (C:\\Bad\\text.exe)");
    EXPECT_EQ(entries[4].DisplayText, L"x;  (C:\\Bad\\x.exe)");
    for (const modTolvan::RunEntry& entry : entries) {
        SCOPED_TRACE(std::string(entry.Name.begin(), entry.Name.end()));
        EXPECT_EQ(entry.ProductName + entry.CompanyName + entry.LegalCopyright +
                      entry.FileDescription,
                  L"");
        // The main window says "no information available" for a file and "file is missing"
        // for anything else.
        EXPECT_EQ(modTolvan::FileExists(backend_->services(), entry.ExePath), entry.Name != L"x");
    }
    EXPECT_TRUE(backend_->messageBox().shown.empty());
}

TOLVAN_FOR_EACH_PLATFORM(RebuildEntryTable);

} // namespace
} // namespace tolvan::test
