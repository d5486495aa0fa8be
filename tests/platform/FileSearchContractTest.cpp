// The file search, against the portable drive map and (under Wine) the real file system.
#include "support/PlatformBackend.h"

#include <gtest/gtest.h>

namespace tolvan::test {
namespace {

constexpr std::wstring_view kFolder = L"C:\\TolvanSearch";

class FileSearchContract : public ::testing::TestWithParam<PlatformKind> {
protected:
    void SetUp() override
    {
        backend = GetParam().make();
        backend->PutFolder(kFolder);
        backend->PutFile(L"C:\\TolvanSearch\\Setup.exe");
        backend->PutFile(L"C:\\TolvanSearch\\readme");
        backend->PutFolder(L"C:\\TolvanSearch\\Tools.exe");
        backend->PutFolder(L"C:\\TolvanSearch\\Only folders\\Sub.exe");
    }

    bool Matches(std::wstring_view pattern) { return backend->Files().AnyFileMatches(pattern); }

    std::unique_ptr<PlatformBackend> backend;
};

TEST_P(FileSearchContract, FindsFilesWhateverTheLetterCase)
{
    EXPECT_TRUE(Matches(L"C:\\TolvanSearch\\Setup.exe"));
    EXPECT_TRUE(Matches(L"c:\\tolvansearch\\SETUP.EXE"));
    EXPECT_TRUE(Matches(L"C:/TolvanSearch/setup.exe"));
    EXPECT_TRUE(Matches(L"C:\\TolvanSearch\\\\.\\Setup.exe"));
    EXPECT_TRUE(Matches(L"C:\\TolvanSearch\\Tools.exe\\..\\Setup.exe"));
    EXPECT_FALSE(Matches(L"C:\\TolvanSearch\\Setup.ex"));
    EXPECT_FALSE(Matches(L"C:\\TolvanSearch\\Setup.exe.bak"));
    EXPECT_FALSE(Matches(L"C:\\NoSuchFolder\\Setup.exe"));
}

TEST_P(FileSearchContract, TrailingDotsAndSpacesOfTheNameAreIgnoredAsWindowsDoes)
{
    EXPECT_TRUE(Matches(L"C:\\TolvanSearch\\Setup.exe  "));
    EXPECT_TRUE(Matches(L"C:\\TolvanSearch\\Setup.exe."));
    EXPECT_FALSE(Matches(L"C:\\TolvanSearch\\ Setup.exe"));
}

TEST_P(FileSearchContract, FoldersNeverCount)
{
    EXPECT_FALSE(Matches(L"C:\\TolvanSearch"));
    EXPECT_FALSE(Matches(L"C:\\TolvanSearch\\Tools.exe"));
    EXPECT_FALSE(Matches(L"C:\\TolvanSearch\\Only folders\\*"));
    EXPECT_FALSE(Matches(L"C:\\TolvanSearch\\"));
    EXPECT_FALSE(Matches(L"C:\\"));
    EXPECT_FALSE(Matches(L"C:\\TolvanSearch\\Setup.exe\\"));
}

TEST_P(FileSearchContract, WildcardsInTheLastComponent)
{
    EXPECT_TRUE(Matches(L"C:\\TolvanSearch\\*.exe")); // Tools.exe is a folder, Setup.exe a file
    EXPECT_TRUE(Matches(L"C:\\TolvanSearch\\s?tup.EXE"));
    EXPECT_TRUE(Matches(L"C:\\TolvanSearch\\*"));
    EXPECT_TRUE(Matches(L"C:\\TolvanSearch\\*.*")); // "readme" has no extension
    EXPECT_TRUE(Matches(L"C:\\TolvanSearch\\read*"));
    EXPECT_FALSE(Matches(L"C:\\TolvanSearch\\T*.exe"));
    EXPECT_FALSE(Matches(L"C:\\TolvanSearch\\x*"));
    EXPECT_FALSE(Matches(L"C:\\TolvanSearch\\S?.exe"));
}

TEST_P(FileSearchContract, BadNamesAndMissingDrivesAreNotFound)
{
    std::wstring onMissingDrive = L"X:\\TolvanSearch\\Setup.exe";
    onMissingDrive[0] = backend->MissingDrive();
    EXPECT_FALSE(Matches(onMissingDrive));
    EXPECT_FALSE(Matches(L""));
    EXPECT_FALSE(Matches(L"C:\\Tolvan*\\Setup.exe"));
    EXPECT_FALSE(Matches(L"C:\\TolvanSearch\\Set|up.exe"));
    EXPECT_FALSE(Matches(L"C:\\TolvanSearch\\\"Setup.exe\""));
    EXPECT_FALSE(Matches(L"\\\\nosuchserver\\share\\Setup.exe"));
    // Windows would read only up to the NUL and find the file; a name holding one is no name.
    EXPECT_FALSE(Matches(std::wstring_view(L"C:\\TolvanSearch\\Setup.exe\0junk", 30)));
}

TEST_P(FileSearchContract, HiddenSystemFilesCount)
{
    backend->PutFile(L"C:\\TolvanSearch\\hidden.sys");
    const bool attributesSet = backend->MakeHiddenSystem(L"C:\\TolvanSearch\\hidden.sys");
    EXPECT_EQ(attributesSet, GetParam().name == "win32");
    EXPECT_TRUE(Matches(L"C:\\TolvanSearch\\hidden.sys"));
    EXPECT_TRUE(Matches(L"C:\\TolvanSearch\\hid*"));
}

TOLVAN_FOR_EACH_PLATFORM(FileSearchContract);

} // namespace
} // namespace tolvan::test
