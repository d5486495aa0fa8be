// The version texts of an entry's executable, and whether a path names a file.
#include "entries/EntryDetails.h"

#include "Fixtures.h"
#include "entries/EntryTable.h"
#include "support/Entries.h"
#include "support/PlatformBackend.h"

#include <gtest/gtest.h>

namespace tolvan::test {
namespace {

using entries::Scope;
using entries::StartupEntry;

class EntryDetails : public ::testing::TestWithParam<PlatformKind> {
protected:
    // An entry whose program is `programPath`, with its details read.
    StartupEntry ReadDetailsOf(std::wstring_view programPath)
    {
        StartupEntry entry = MakeEntry(Scope::CurrentUser, L"N", std::wstring(programPath));
        entry.programPath = entry.command;
        entries::ReadProgramDetails(backend->Services().versions, entry);
        return entry;
    }

    // Places a fixture program on the drive under this name and returns its Windows path.
    std::wstring PlaceFixture(std::wstring_view fixture, std::wstring_view name)
    {
        std::wstring path = L"C:\\TolvanDetails\\";
        path += name;
        backend->PutCopyOf(path, std::filesystem::path(FixtureFile(fixture)));
        return path;
    }

    static void ExpectNoTexts(const entries::StartupEntry& entry)
    {
        EXPECT_EQ(entry.productName, L"");
        EXPECT_EQ(entry.companyName, L"");
        EXPECT_EQ(entry.legalCopyright, L"");
        EXPECT_EQ(entry.description, L"");
    }

    std::unique_ptr<PlatformBackend> backend = GetParam().make();
};

TEST_P(EntryDetails, EmptyPathReadsNothingAndSaysNothing)
{
    ExpectNoTexts(ReadDetailsOf(L""));
    EXPECT_EQ(backend->Versions().fileCalls.load(), 0);
}

TEST_P(EntryDetails, MissingOrVersionlessFilesGiveEmptyTextsWithoutAMessage)
{
    backend->PutFile(L"C:\\TolvanDetails\\empty.exe");
    ExpectNoTexts(ReadDetailsOf(L"C:\\TolvanDetails\\missing.exe"));
    ExpectNoTexts(ReadDetailsOf(L"C:\\TolvanDetails\\empty.exe"));
    ExpectNoTexts(ReadDetailsOf(L"C:\\TolvanDetails"));
    EXPECT_GT(backend->Versions().fileCalls.load(), 0);
}

TEST_P(EntryDetails, ReadsTheFourTextsTrimmed)
{
    const StartupEntry entry = ReadDetailsOf(PlaceFixture(L"details.exe", L"Minta.exe"));
    EXPECT_EQ(entry.productName, L"Minta");
    EXPECT_EQ(entry.companyName, L"Kavrenta Kft."); // stored with spaces on both sides
    EXPECT_EQ(entry.legalCopyright, L"(c) Kavrenta");
    EXPECT_EQ(entry.description, L"Mintaprogram árvíztűrő tükörfúrógép");
}

TEST_P(EntryDetails, DescriptionNamesTheEntryOtherwiseNameAndPath)
{
    const std::wstring described = PlaceFixture(L"details.exe", L"minta.exe");
    const std::wstring productOnly = PlaceFixture(L"product_only.exe", L"product.exe");
    const std::wstring versionless = PlaceFixture(L"no_version.exe", L"plain.exe");
    std::vector<StartupEntry> entries{
        MakeEntry(Scope::CurrentUser, L"Described", L"\"" + described + L"\" /x"),
        MakeEntry(Scope::CurrentUser, L"Product", productOnly),
        MakeEntry(Scope::AllUsers, L"Plain", versionless + L" -q")};
    entries::EntryTable table(backend->Services());
    entries::RefillReport report;
    table.Resolve(entries, report);
    EXPECT_FALSE(report.firstFailure.has_value());

    EXPECT_EQ(entries[0].displayText, L"Mintaprogram árvíztűrő tükörfúrógép");
    EXPECT_EQ(entries[0].arguments, L"/x");
    EXPECT_EQ(entries[1].productName, L"Only a product");
    EXPECT_EQ(entries[1].description, L"");
    EXPECT_EQ(entries[1].displayText, L"Product;  (" + productOnly + L")");
    EXPECT_EQ(entries[2].productName, L"");
    EXPECT_EQ(entries[2].displayText, L"Plain;  (" + versionless + L")");
}

TOLVAN_FOR_EACH_PLATFORM(EntryDetails);

class FileExists : public EntryDetails {
protected:
    bool Exists(const platform::NulTerminated& path)
    {
        return entries::ProgramFileExists(backend->Services().files, path);
    }
};

TEST_P(FileExists, ShortTextsAreNeverLookedUp)
{
    for (const wchar_t* path : {L"", L"C:\\", L"abc", L"   C:\\   ", L"    ", L"x:"}) {
        EXPECT_FALSE(Exists(path)) << ::testing::PrintToString(std::wstring(path));
    }
    EXPECT_TRUE(backend->Files().patterns.empty());
}

TEST_P(FileExists, FilesYesFoldersNo)
{
    backend->PutFile(L"C:\\TolvanDetails\\tool.exe");
    EXPECT_TRUE(Exists(L"C:\\TolvanDetails\\tool.exe"));
    EXPECT_TRUE(Exists(L"c:\\tolvandetails\\TOOL.EXE"));
    EXPECT_FALSE(Exists(L"C:\\TolvanDetails"));
    EXPECT_FALSE(Exists(L"C:\\TolvanDetails\\"));
    EXPECT_FALSE(Exists(L"C:\\TolvanDetails\\other.exe"));
    // The path is searched as given: leading spaces make it a different, relative name.
    EXPECT_FALSE(Exists(L"  C:\\TolvanDetails\\tool.exe"));
    // Four characters are the shortest path looked up.
    backend->PutFile(L"C:\\q");
    EXPECT_TRUE(Exists(L"C:\\q"));
}

TEST_P(FileExists, HiddenSystemFilesExist)
{
    backend->PutFile(L"C:\\TolvanDetails\\pagefile.sys");
    (void)backend->MakeHiddenSystem(L"C:\\TolvanDetails\\pagefile.sys");
    EXPECT_TRUE(Exists(L"C:\\TolvanDetails\\pagefile.sys"));
}

TEST_P(FileExists, MissingDriveAndBadNamesDoNotExist)
{
    std::wstring onMissingDrive = L"X:\\Program Files\\tool.exe";
    onMissingDrive[0] = backend->MissingDrive();
    EXPECT_FALSE(Exists(onMissingDrive));
    EXPECT_FALSE(Exists(L"C:\\TolvanDetails\\<tool>.exe"));
}

// Windows answers for a device in every folder as if a file were there, and a pattern may match
// any file: neither is a program file.
TEST_P(FileExists, DevicesAndPatternsAreNoProgramFiles)
{
    backend->PutFile(L"C:\\TolvanDetails\\tool.exe");
    for (const wchar_t* path :
         {L"C:\\TolvanDetails\\*.exe", L"C:\\TolvanDetails\\too?.exe", L"C:\\TolvanDetails\\CON",
          L"C:\\TolvanDetails\\nul.exe", L"C:\\TolvanDetails\\Com1.txt", L"C:\\lpt9",
          L"C:\\TolvanDetails\\CONOUT$", L"C:\\TolvanDetails\\aux .exe"}) {
        EXPECT_FALSE(Exists(path)) << ::testing::PrintToString(std::wstring(path));
    }
    // Names that only begin like a device's are files like any other.
    backend->PutFile(L"C:\\TolvanDetails\\console.exe");
    backend->PutFile(L"C:\\TolvanDetails\\com10.exe");
    EXPECT_TRUE(Exists(L"C:\\TolvanDetails\\console.exe"));
    EXPECT_TRUE(Exists(L"C:\\TolvanDetails\\com10.exe"));
}

TOLVAN_FOR_EACH_PLATFORM(FileExists);

} // namespace
} // namespace tolvan::test
