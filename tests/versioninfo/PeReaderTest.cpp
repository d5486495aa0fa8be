#include "Fixtures.h"
#include "portable/ByteSource.h"
#include "portable/PeVersionResourceLocator.h"
#include "portable/PeVersionResources.h"
#include "support/SyntheticPe.h"
#include "support/VersionTreeBuilder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace tolvan::test {
namespace {

using platform::portable::FindVersionResource;
using platform::portable::SpanByteSource;

std::optional<std::vector<std::byte>> Find(std::span<const std::byte> file)
{
    return FindVersionResource(SpanByteSource(file));
}

std::vector<std::byte> ReadHostFile(const std::wstring& fileName)
{
    std::ifstream in(std::filesystem::path(fileName), std::ios::binary);
    std::vector<char> chars((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::byte> bytes(chars.size());
    std::transform(chars.begin(), chars.end(), bytes.begin(),
                   [](char ch) { return static_cast<std::byte>(ch); });
    return bytes;
}

const std::vector<std::byte>& SampleResource()
{
    static const std::vector<std::byte> kResource =
        Serialize(UsualRoot(u"040904B0", {TextValue(u"ProductName", u"Tolvan")}, Le32(0x04B00409)));
    return kResource;
}

class PeReader : public ::testing::TestWithParam<bool> {};

TEST_P(PeReader, FindsTheResourceOfBothImageKinds)
{
    const SyntheticPe pe = BuildPe(SampleResource(), GetParam());
    EXPECT_EQ(Find(pe.bytes), SampleResource());
}

TEST_P(PeReader, PrefersNameOneAndFallsBackToTheFirstName)
{
    SyntheticPe pe = BuildPe(SampleResource(), GetParam());
    pe.PatchU32(pe.nameEntry, 7);
    EXPECT_EQ(Find(pe.bytes), SampleResource());
    // A named entry (high bit set) counts as well when it is the only one.
    pe.PatchU32(pe.nameEntry, 0x80000000u);
    EXPECT_EQ(Find(pe.bytes), SampleResource());
}

TEST_P(PeReader, ReadsAFileInAnyOneLanguage)
{
    SyntheticPe pe = BuildPe(SampleResource(), GetParam());
    pe.PatchU32(pe.languageEntry, 0x040E);
    EXPECT_EQ(Find(pe.bytes), SampleResource());
}

TEST_P(PeReader, RefusesTamperedDirectories)
{
    struct Patch {
        const char* what;
        std::size_t SyntheticPe::*field;
        std::size_t at;
        std::uint32_t value;
    };
    const Patch patches[] = {
        {"no RT_VERSION type", &SyntheticPe::typeEntry, 0, 3},
        {"type entry points back at the root", &SyntheticPe::typeEntry, 4, 0x80000000u},
        {"type entry is data, not a directory", &SyntheticPe::typeEntry, 4, 0x48},
        {"name directory far outside", &SyntheticPe::typeEntry, 4, 0xFFFFFFF0u},
        {"language entry is a directory", &SyntheticPe::languageEntry, 4, 0x80000030u},
        {"data entry outside the tree", &SyntheticPe::languageEntry, 4, 0x7FFFFFF8u},
        {"data outside every section", &SyntheticPe::dataEntry, 0, 0x90000000u},
        {"data past the section's end", &SyntheticPe::dataEntry, 4, 0x1000},
        {"empty resource", &SyntheticPe::dataEntry, 4, 0},
        {"resource over 64 KiB", &SyntheticPe::dataEntry, 4, 64 * 1024 + 1},
        {"resource of 4 GiB", &SyntheticPe::dataEntry, 4, 0xFFFFFFFFu},
        {"section's data beyond the file", &SyntheticPe::sectionHeader, 20, 0xFFFFFE00u},
        {"no resource tree", &SyntheticPe::resourceDataDirectory, 0, 0},
        {"resource tree outside every section", &SyntheticPe::resourceDataDirectory, 0, 0x50000},
    };
    for (const Patch& patch : patches) {
        SCOPED_TRACE(patch.what);
        SyntheticPe pe = BuildPe(SampleResource(), GetParam());
        pe.PatchU32(pe.*(patch.field) + patch.at, patch.value);
        EXPECT_EQ(Find(pe.bytes), std::nullopt);
    }
}

TEST_P(PeReader, ADataEntryMayEndWhereTheTreeEnds)
{
    const SyntheticPe pe = BuildPe(SampleResource(), GetParam());
    // The tree reaches to the end of its section's data in the file.
    const auto treeEnd = static_cast<std::uint32_t>(pe.bytes.size() - pe.typeEntry + 0x10);
    ASSERT_LE(pe.dataEntry + 16 + SampleResource().size(), pe.bytes.size() - 16);
    for (const std::uint32_t at : {treeEnd - 16, treeEnd - 15}) {
        SyntheticPe moved = pe;
        const std::size_t copied = std::min<std::size_t>(16, treeEnd - at);
        std::copy_n(pe.bytes.begin() + static_cast<std::ptrdiff_t>(pe.dataEntry), copied,
                    moved.bytes.end() - static_cast<std::ptrdiff_t>(treeEnd - at));
        moved.PatchU32(moved.languageEntry + 4, at);
        EXPECT_EQ(Find(moved.bytes),
                  at + 16 <= treeEnd ? std::optional(SampleResource()) : std::nullopt)
            << at;
    }
}

TEST_P(PeReader, RefusesBrokenHeaders)
{
    struct Patch {
        const char* what;
        std::size_t at;
        std::uint32_t value;
    };
    const Patch patches[] = {
        {"no MZ", 0, 0x00005A4E},
        {"PE header beyond the file", 0x3C, 0xFFFFFFF0u},
        {"no PE signature", 0x40, 0x00004551},
        {"unknown optional header", 0x58, 0x0107},
        {"optional header too short", 0x54, 0x00020010},
        {"too many sections", 0x44, 0xFFFF8664u},
    };
    for (const Patch& patch : patches) {
        SCOPED_TRACE(patch.what);
        SyntheticPe pe = BuildPe(SampleResource(), GetParam());
        pe.PatchU32(patch.at, patch.value);
        EXPECT_EQ(Find(pe.bytes), std::nullopt);
    }
}

INSTANTIATE_TEST_SUITE_P(Images, PeReader, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "Pe32Plus" : "Pe32";
                         });

TEST(PeReaderFiles, CutFixturesGiveNothingOrTheWholeResource)
{
    for (const std::wstring_view name : {L"full.exe", L"details.exe", L"nul_string.exe"}) {
        const std::vector<std::byte> file = ReadHostFile(FixtureFile(name));
        const auto whole = Find(file);
        ASSERT_TRUE(whole.has_value());
        for (std::size_t size = 0; size < file.size(); ++size) {
            const auto found = Find(std::span(file).first(size));
            if (found) {
                EXPECT_EQ(*found, *whole) << size << " bytes";
            }
        }
    }
}

TEST(PeReaderFiles, OnlyReadablePeFilesHaveAVersionResource)
{
    const auto folder = std::filesystem::temp_directory_path() / "tolvan-pe-reader-test";
    std::filesystem::create_directories(folder);
    const auto empty = folder / "empty.exe";
    const auto text = folder / "text.exe";
    std::ofstream(empty, std::ios::binary).close();
    std::ofstream(text, std::ios::binary) << "MZ but nothing after it";

    platform::portable::PeVersionResources resources;
    EXPECT_GT(resources.VersionResourceSize(FixtureFile(L"full.exe")), 0u);
    for (const auto& path : {empty, text, folder, folder / "missing.exe"}) {
        SCOPED_TRACE(path.string());
        EXPECT_EQ(resources.VersionResourceSize(path.wstring()), 0u);
        std::vector<std::byte> data(64);
        EXPECT_FALSE(resources.ReadVersionResource(path.wstring(), data));
    }
    EXPECT_EQ(resources.VersionResourceSize(L""), 0u);
    std::filesystem::remove_all(folder);
}

TEST(PeReaderFiles, ResolverDecidesWhichHostFileIsRead)
{
    std::vector<std::wstring> asked;
    platform::portable::PeVersionResources resources(
        [&asked](std::wstring_view name) -> std::optional<std::filesystem::path> {
            asked.emplace_back(name);
            if (name == L"C:\\Tools\\full.exe") {
                return std::filesystem::path(FixtureFile(L"full.exe"));
            }
            return std::nullopt;
        });
    EXPECT_GT(resources.VersionResourceSize(L"C:\\Tools\\full.exe"), 0u);
    EXPECT_EQ(resources.VersionResourceSize(L"C:\\Tools\\other.exe"), 0u);
    EXPECT_EQ(asked, (std::vector<std::wstring>{L"C:\\Tools\\full.exe", L"C:\\Tools\\other.exe"}));
}

TEST(PeReaderFiles, ReadCutsToTheGivenSizeAndZeroesTheRest)
{
    platform::portable::PeVersionResources resources;
    const std::wstring file = FixtureFile(L"full.exe");
    const std::uint32_t size = resources.VersionResourceSize(file);
    ASSERT_GT(size, 16u);
    std::vector<std::byte> whole(size);
    ASSERT_TRUE(resources.ReadVersionResource(file, whole));
    std::vector<std::byte> part(16);
    ASSERT_TRUE(resources.ReadVersionResource(file, part));
    EXPECT_TRUE(std::equal(part.begin(), part.end(), whole.begin()));
    std::vector<std::byte> more(size + 8, std::byte{0xAA});
    ASSERT_TRUE(resources.ReadVersionResource(file, more));
    EXPECT_TRUE(std::equal(whole.begin(), whole.end(), more.begin()));
    EXPECT_TRUE(std::all_of(more.begin() + size, more.end(),
                            [](std::byte each) { return each == std::byte{0}; }));
}

TEST(PeReaderFiles, ModuleTableFollowsWindowsNaming)
{
    platform::portable::PeVersionResources resources;
    resources.SetModule(L"Helper.DLL", L"C:\\Tools\\Helper.DLL");
    resources.SetModule(L"tool.exe", L"C:\\Tools\\tool.exe");
    const platform::ModuleHandle helper = resources.ModuleHandleOf(L"helper.dll");
    EXPECT_NE(helper, 0u);
    EXPECT_EQ(resources.ModuleHandleOf(L"HELPER"), helper);
    EXPECT_NE(resources.ModuleHandleOf(L"TOOL.EXE"), 0u);
    EXPECT_EQ(resources.ModuleHandleOf(L"tool"), 0u);
    EXPECT_EQ(resources.ModuleHandleOf(L"helper.dl"), 0u);
    EXPECT_EQ(resources.ModuleHandleOf(L""), 0u);

    std::wstring buffer(260, L'?');
    const std::uint32_t written = resources.ModuleFileName(helper, buffer);
    EXPECT_EQ(written, 19u);
    EXPECT_EQ(buffer.substr(0, written + 1), std::wstring(L"C:\\Tools\\Helper.DLL") + L'\0');
    // Cut to the buffer, NUL-terminated, the buffer's size returned.
    std::wstring small(8, L'?');
    EXPECT_EQ(resources.ModuleFileName(helper, small), 8u);
    EXPECT_EQ(small, std::wstring(L"C:\\Tool\0", 8));
    EXPECT_EQ(resources.ModuleFileName(0, buffer), 0u);
    EXPECT_EQ(resources.ModuleFileName(99, buffer), 0u);
}

TEST(PeReaderFiles, TheRunningModuleIsTheOneNamedAsTheProgram)
{
    platform::portable::PeVersionResources resources;
    EXPECT_EQ(resources.RunningModule(), 0u);
    resources.SetModule(L"helper.dll", L"C:\\Tools\\helper.dll");
    resources.SetModule(L"tool.exe", L"D:\\Tools\\tool.exe");
    resources.SetRunningModule(L"TOOL.EXE");
    EXPECT_EQ(resources.RunningModule(), resources.ModuleHandleOf(L"tool.exe"));
    std::wstring buffer(260, L'?');
    EXPECT_EQ(resources.ModuleFileName(resources.RunningModule(), buffer), 17u);
    EXPECT_EQ(buffer.substr(0, 17), L"D:\\Tools\\tool.exe");
}

} // namespace
} // namespace tolvan::test
