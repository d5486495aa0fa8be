// The refill of the entry table from both Run keys.
#include "registry/modRegistry.h"
#include "startup/modTolvan.h"
#include "support/PlatformBackend.h"

#include <gtest/gtest.h>

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

TOLVAN_FOR_EACH_PLATFORM(RebuildEntryTable);

} // namespace
} // namespace tolvan::test
