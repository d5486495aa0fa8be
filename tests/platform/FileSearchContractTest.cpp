// The file search, against the portable drive map and (under Wine) the real file system.
#include "support/PlatformBackend.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <span>
#include <string_view>

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

    bool Matches(const platform::NulTerminated& pattern)
    {
        return backend->Files().AnyFileMatches(pattern);
    }

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
    EXPECT_FALSE(Matches(std::wstring(L"C:\\TolvanSearch\\Setup.exe\0junk", 30)));
}

TEST_P(FileSearchContract, HiddenSystemFilesCount)
{
    backend->PutFile(L"C:\\TolvanSearch\\hidden.sys");
    const bool attributesSet = backend->MakeHiddenSystem(L"C:\\TolvanSearch\\hidden.sys");
    EXPECT_EQ(attributesSet, GetParam().name == "win32");
    EXPECT_TRUE(Matches(L"C:\\TolvanSearch\\hidden.sys"));
    EXPECT_TRUE(Matches(L"C:\\TolvanSearch\\hid*"));
}

// The size and last-write time of one file, as FILETIME ticks; nothing for whatever is not one
// file.
TEST_P(FileSearchContract, StampsTellOneVersionOfAFileFromAnother)
{
    const std::wstring kStamped = L"C:\\TolvanSearch\\stamped.txt";
    const auto put = [&](std::string_view text) {
        backend->PutFile(kStamped, std::as_bytes(std::span(text.data(), text.size())));
    };
    const auto stampOf = [&](const platform::NulTerminated& path) {
        return backend->Files().StampOf(path);
    };

    put("twelve bytes");
    const std::optional<platform::FileStamp> first = stampOf(kStamped);
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->size, 12u);
    EXPECT_EQ(stampOf(L"c:\\tolvansearch\\STAMPED.TXT"), first);

    put("five!");
    const std::optional<platform::FileStamp> rewritten = stampOf(kStamped);
    ASSERT_TRUE(rewritten.has_value());
    EXPECT_EQ(rewritten->size, 5u);

    // 2020-01-01 00:00 UTC, and an hour later.
    using namespace std::chrono;
    constexpr std::uint64_t kNewYear2020 = 132223104000000000ULL;
    const std::filesystem::path host = backend->HostPath(kStamped);
    const auto newYear = file_clock::from_sys(sys_seconds{sys_days{year{2020} / January / 1}});
    std::filesystem::last_write_time(host, newYear);
    EXPECT_EQ(stampOf(kStamped), (platform::FileStamp{5, kNewYear2020}));
    std::filesystem::last_write_time(host, newYear + hours(1));
    EXPECT_EQ(stampOf(kStamped), (platform::FileStamp{5, kNewYear2020 + 36'000'000'000ULL}));

    EXPECT_FALSE(stampOf(L"C:\\TolvanSearch").has_value());
    EXPECT_FALSE(stampOf(L"C:\\TolvanSearch\\Tools.exe").has_value());
    EXPECT_FALSE(stampOf(L"C:\\TolvanSearch\\missing.txt").has_value());
    EXPECT_FALSE(stampOf(L"C:\\TolvanSearch\\stamped.tx?").has_value());
    EXPECT_FALSE(stampOf(L"C:\\TolvanSearch\\stamped.*").has_value());
    EXPECT_FALSE(stampOf(L"").has_value());

    // A folder's write time, made just now; none for a file or a missing folder.
    const auto folderTime = [&](const std::wstring& path) {
        return backend->Files().FolderWriteTime(path);
    };
    const std::optional<std::uint64_t> made = folderTime(L"C:\\TolvanSearch\\Tools.exe");
    ASSERT_TRUE(made.has_value());
    EXPECT_GT(*made, kNewYear2020);
    EXPECT_EQ(folderTime(L"c:\\tolvansearch\\TOOLS.EXE"), made);
    EXPECT_FALSE(folderTime(std::wstring(kStamped)).has_value());
    EXPECT_FALSE(folderTime(L"C:\\TolvanSearch\\missing").has_value());
}

TOLVAN_FOR_EACH_PLATFORM(FileSearchContract);

} // namespace
} // namespace tolvan::test
