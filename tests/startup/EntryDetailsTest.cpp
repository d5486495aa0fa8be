// The version texts of an entry's executable, and whether a path names a file.
#include "startup/modTolvan.h"
#include "support/PlatformBackend.h"

#include <gtest/gtest.h>

namespace tolvan::test {
namespace {

using modTolvan::entries;

class EntryDetails : public ::testing::TestWithParam<PlatformKind> {
protected:
    void SetUp() override
    {
        modTolvan::ClearEntries();
        backend_ = GetParam().make();
    }
    void TearDown() override { modTolvan::ClearEntries(); }

    platform::Platform& services() { return backend_->services(); }

    // A record whose executable is `exePath`, with its details read.
    modTolvan::RunEntry& ReadDetailsOf(std::wstring_view exePath)
    {
        modTolvan::AddEntry(platform::reg::kCurrentUser, L"N", exePath);
        std::int32_t index = modTolvan::entryCount() - 1;
        entries.back().ExePath = std::wstring(exePath);
        modTolvan::ReadEntryDetails(services(), index);
        EXPECT_EQ(index, modTolvan::entryCount() - 1); // passed by reference, never changed
        return entries.back();
    }

    static void ExpectNoTexts(const modTolvan::RunEntry& entry)
    {
        EXPECT_EQ(entry.ProductName, L"");
        EXPECT_EQ(entry.CompanyName, L"");
        EXPECT_EQ(entry.LegalCopyright, L"");
        EXPECT_EQ(entry.FileDescription, L"");
    }

    std::unique_ptr<PlatformBackend> backend_;
};

TEST_P(EntryDetails, EmptyPathReadsNothingAndSaysNothing)
{
    ExpectNoTexts(ReadDetailsOf(L""));
    EXPECT_EQ(backend_->versions().fileCalls, 0);
    EXPECT_TRUE(backend_->messageBox().shown.empty());
}

TEST_P(EntryDetails, MissingOrVersionlessFilesGiveEmptyTextsWithoutAMessage)
{
    backend_->PutFile(L"C:\\TolvanDetails\\empty.exe");
    ExpectNoTexts(ReadDetailsOf(L"C:\\TolvanDetails\\missing.exe"));
    ExpectNoTexts(ReadDetailsOf(L"C:\\TolvanDetails\\empty.exe"));
    ExpectNoTexts(ReadDetailsOf(L"C:\\TolvanDetails"));
    EXPECT_GT(backend_->versions().fileCalls, 0);
    EXPECT_TRUE(backend_->messageBox().shown.empty());
}

TEST_P(EntryDetails, IndicesOutsideTheTableAreIgnored)
{
    modTolvan::AddEntry(platform::reg::kCurrentUser, L"N", L"C:\\a.exe");
    for (std::int32_t index : {-1, 1, 1000}) {
        modTolvan::ReadEntryDetails(services(), index);
    }
    EXPECT_EQ(modTolvan::entryCount(), 1);
    EXPECT_EQ(backend_->versions().fileCalls, 0);
    EXPECT_TRUE(backend_->messageBox().shown.empty());
}

TOLVAN_FOR_EACH_PLATFORM(EntryDetails);

class FileExists : public EntryDetails {
protected:
    bool Exists(std::wstring_view path) { return modTolvan::FileExists(services(), path); }
};

TEST_P(FileExists, ShortTextsAreNeverLookedUp)
{
    for (const std::wstring_view path : {L"", L"C:\\", L"abc", L"   C:\\   ", L"    ", L"x:"}) {
        EXPECT_FALSE(Exists(path)) << ::testing::PrintToString(std::wstring(path));
    }
    EXPECT_TRUE(backend_->files().patterns.empty());
}

TEST_P(FileExists, FilesYesFoldersNo)
{
    backend_->PutFile(L"C:\\TolvanDetails\\tool.exe");
    EXPECT_TRUE(Exists(L"C:\\TolvanDetails\\tool.exe"));
    EXPECT_TRUE(Exists(L"c:\\tolvandetails\\TOOL.EXE"));
    EXPECT_FALSE(Exists(L"C:\\TolvanDetails"));
    EXPECT_FALSE(Exists(L"C:\\TolvanDetails\\"));
    EXPECT_FALSE(Exists(L"C:\\TolvanDetails\\other.exe"));
    // The path is searched as given: leading spaces make it a different, relative name.
    EXPECT_FALSE(Exists(L"  C:\\TolvanDetails\\tool.exe"));
}

TEST_P(FileExists, HiddenSystemFilesExist)
{
    backend_->PutFile(L"C:\\TolvanDetails\\pagefile.sys");
    (void)backend_->MakeHiddenSystem(L"C:\\TolvanDetails\\pagefile.sys");
    EXPECT_TRUE(Exists(L"C:\\TolvanDetails\\pagefile.sys"));
}

TEST_P(FileExists, MissingDriveAndBadNamesDoNotExist)
{
    std::wstring onMissingDrive = L"X:\\Program Files\\tool.exe";
    onMissingDrive[0] = backend_->MissingDrive();
    EXPECT_FALSE(Exists(onMissingDrive));
    EXPECT_FALSE(Exists(L"C:\\TolvanDetails\\<tool>.exe"));
}

TOLVAN_FOR_EACH_PLATFORM(FileExists);

} // namespace
} // namespace tolvan::test
