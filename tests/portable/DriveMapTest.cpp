// Windows paths on a host folder tree: how names are taken apart, matched and mapped.
#include "portable/DriveMap.h"

#include "portable/WildcardMatch.h"
#include "portable/WindowsPath.h"

#include <fstream>
#include <gtest/gtest.h>
#include <random>

namespace tolvan::test {
namespace {

using namespace platform::portable;

TEST(WindowsPathParsing, NormalisesLikeWindows)
{
    const auto path = ParseWindowsPath(L"c:/Program Files\\\\.\\A\\..\\B\\tool.exe. . ");
    ASSERT_TRUE(path);
    EXPECT_EQ(path->drive, L'C');
    EXPECT_EQ(path->components, (std::vector<std::wstring>{L"Program Files", L"B", L"tool.exe"}));
    EXPECT_FALSE(path->endsWithSeparator);

    const auto folder = ParseWindowsPath(L"D:\\..\\..\\Windows\\");
    ASSERT_TRUE(folder);
    EXPECT_EQ(folder->components, (std::vector<std::wstring>{L"Windows"}));
    EXPECT_TRUE(folder->endsWithSeparator);
}

TEST(WindowsPathParsing, RefusesWhatIsNoAbsoluteWindowsName)
{
    for (const std::wstring_view text :
         {L"", L"C:", L"C:tool.exe", L"tool.exe", L"\\\\server\\share\\a.exe", L"1:\\a.exe",
          L"C:\\a|b.exe", L"C:\\a\"b\\c.exe", L"C:\\a\tb.exe", L"C:\\a:b"}) {
        EXPECT_FALSE(ParseWindowsPath(text)) << ::testing::PrintToString(std::wstring(text));
    }
    EXPECT_FALSE(ParseWindowsPath(std::wstring_view(L"C:\\a\0b", 6)));
}

TEST(WildcardMatching, StarsQuestionMarksAndCase)
{
    EXPECT_TRUE(MatchesWildcard(L"*", L"anything"));
    EXPECT_TRUE(MatchesWildcard(L"*.EXE", L"setup.exe"));
    EXPECT_TRUE(MatchesWildcard(L"s*p*.exe", L"SetupHelper.exe"));
    EXPECT_TRUE(MatchesWildcard(L"?etup.exe", L"Setup.exe"));
    EXPECT_TRUE(MatchesWildcard(L"ŐRZŐ*", L"őrző.exe"));
    EXPECT_TRUE(MatchesWildcard(L"*.*", L"readme"));
    EXPECT_TRUE(MatchesWildcard(L"readme.*", L"readme"));
    EXPECT_TRUE(MatchesWildcard(L"ab??", L"ab"));
    EXPECT_FALSE(MatchesWildcard(L"*.exe", L"setup.exe.bak"));
    EXPECT_FALSE(MatchesWildcard(L"?etup.exe", L"etup.exe"));
    EXPECT_FALSE(MatchesWildcard(L"setup", L"setup.exe"));
    EXPECT_FALSE(MatchesWildcard(L"", L"a"));
}

// Both name the same existing file or folder (on a host that ignores case, the spelling asked for
// is as good as the stored one).
::testing::AssertionResult SameEntry(const std::optional<std::filesystem::path>& resolved,
                                     const std::filesystem::path& expected)
{
    std::error_code error;
    if (resolved && std::filesystem::equivalent(*resolved, expected, error)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << (resolved ? resolved->string() : "nothing") << " is not " << expected.string();
}

class DriveMapping : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device seed;
        root =
            std::filesystem::temp_directory_path() / ("tolvan-drivemap-" + std::to_string(seed()));
        std::filesystem::create_directories(root / "Windows" / "system32");
        std::ofstream(root / "Windows" / "system32" / "Notepad.exe") << "MZ";
        drives.Map(L'c', root);
    }
    void TearDown() override { std::filesystem::remove_all(root); }

    std::filesystem::path root;
    DriveMap drives;
};

TEST_F(DriveMapping, FindsExistingNamesWhateverTheirCase)
{
    EXPECT_TRUE(SameEntry(drives.Resolve(L"C:\\WINDOWS\\System32\\NOTEPAD.EXE"),
                          root / "Windows" / "system32" / "Notepad.exe"));
    EXPECT_TRUE(SameEntry(drives.Resolve(L"c:\\windows\\"), root / "Windows"));
    EXPECT_TRUE(SameEntry(drives.Resolve(L"C:\\"), root));
}

TEST_F(DriveMapping, KeepsMissingNamesAsWritten)
{
    const auto missing = drives.Resolve(L"C:\\WINDOWS\\Fonts\\Arial.ttf");
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->filename(), "Arial.ttf");
    EXPECT_EQ(missing->parent_path().filename(), "Fonts");
    EXPECT_TRUE(SameEntry(missing->parent_path().parent_path(), root / "Windows"));
}

TEST_F(DriveMapping, OnlyMappedDrivesAndPlainNames)
{
    EXPECT_FALSE(drives.Resolve(L"D:\\Windows"));
    EXPECT_FALSE(drives.Resolve(L"Windows\\system32"));
    EXPECT_FALSE(drives.Resolve(L"C:\\Windows\\*.exe"));
    const auto resolver = drives.Resolver();
    EXPECT_TRUE(SameEntry(resolver(L"C:\\windows\\SYSTEM32\\notepad.exe"),
                          root / "Windows" / "system32" / "Notepad.exe"));
}

} // namespace
} // namespace tolvan::test
