// The version texts of an entry's executable, and whether a path names a file.
#include "Fixtures.h"
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

    // Places a fixture program on the drive under this name and returns its Windows path.
    std::wstring PlaceFixture(std::wstring_view fixture, std::wstring_view name)
    {
        std::wstring path = L"C:\\TolvanDetails\\";
        path += name;
        backend_->PutCopyOf(path, std::filesystem::path(FixtureFile(fixture)));
        return path;
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

TEST_P(EntryDetails, ReadsTheFourTextsTrimmed)
{
    const modTolvan::RunEntry& entry = ReadDetailsOf(PlaceFixture(L"details.exe", L"Minta.exe"));
    EXPECT_EQ(entry.ProductName, L"Minta");
    EXPECT_EQ(entry.CompanyName, L"Kavrenta Kft."); // stored with spaces on both sides
    EXPECT_EQ(entry.LegalCopyright, L"(c) Kavrenta");
    EXPECT_EQ(entry.FileDescription, L"Mintaprogram árvíztűrő tükörfúrógép");
    EXPECT_TRUE(backend_->messageBox().shown.empty());
}

TEST_P(EntryDetails, DescriptionNamesTheEntryOtherwiseNameAndPath)
{
    const std::wstring described = PlaceFixture(L"details.exe", L"minta.exe");
    const std::wstring productOnly = PlaceFixture(L"product_only.exe", L"product.exe");
    const std::wstring versionless = PlaceFixture(L"no_version.exe", L"plain.exe");
    modTolvan::AddEntry(platform::reg::kCurrentUser, L"Described", L"\"" + described + L"\" /x");
    modTolvan::AddEntry(platform::reg::kCurrentUser, L"Product", productOnly);
    modTolvan::AddEntry(platform::reg::kLocalMachine, L"Plain", versionless + L" -q");
    modTolvan::ResolveEntries(services());

    ASSERT_EQ(modTolvan::entryCount(), 3);
    EXPECT_EQ(entries[0].DisplayText, L"Mintaprogram árvíztűrő tükörfúrógép");
    EXPECT_EQ(entries[0].Arguments, L"/x");
    EXPECT_EQ(entries[1].ProductName, L"Only a product");
    EXPECT_EQ(entries[1].FileDescription, L"");
    EXPECT_EQ(entries[1].DisplayText, L"Product;  (" + productOnly + L")");
    EXPECT_EQ(entries[2].ProductName, L"");
    EXPECT_EQ(entries[2].DisplayText, L"Plain;  (" + versionless + L")");
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
