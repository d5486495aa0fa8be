// Windows only: the PE reader against Windows' (here Wine's) own version functions, on every
// PE file of Wine's library folder and on the fixtures.
#include "Fixtures.h"
#include "platform/win32/Win32VersionResources.h"
#include "portable/PeVersionResources.h"
#include "versioninfo/VersionInfo.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>

namespace tolvan::test {

using versioninfo::VersionInfo;
namespace {

std::string Narrow(std::wstring_view text)
{
    std::string out;
    for (const wchar_t ch : text) {
        out += ch < 0x80 ? static_cast<char>(ch) : '?';
    }
    return out;
}

struct StringProperty {
    const char* name;
    std::wstring (VersionInfo::*read)() const;
};

constexpr StringProperty kStrings[] = {
    {"CompanyName", &VersionInfo::CompanyName},
    {"FileDescription", &VersionInfo::FileDescription},
    {"FileVersion", &VersionInfo::FileVersion},
    {"InternalName", &VersionInfo::InternalName},
    {"LegalCopyright", &VersionInfo::LegalCopyright},
    {"OriginalFileName", &VersionInfo::OriginalFileName},
    {"ProductName", &VersionInfo::ProductName},
    {"ProductVersion", &VersionInfo::ProductVersion},
    {"LegalTrademarks", &VersionInfo::LegalTrademarks},
    {"LegalTrademarks1", &VersionInfo::LegalTrademarks1},
    {"LegalTrademarks2", &VersionInfo::LegalTrademarks2},
    {"Comments", &VersionInfo::Comments},
    {"PrivateBuild", &VersionInfo::PrivateBuild},
    {"SpecialBuild", &VersionInfo::SpecialBuild},
};

// The fixed record as each side's resource holds it, or nothing when there is none.
std::vector<std::byte> FixedRecord(platform::VersionResources& resources, const std::wstring& file)
{
    const std::uint32_t size = resources.VersionResourceSize(file);
    if (size == 0) {
        return {};
    }
    std::vector<std::byte> data(size);
    if (!resources.ReadVersionResource(file, data)) {
        return {};
    }
    platform::VersionValue value;
    if (!resources.QueryVersionValue(data, L"\\", value)) {
        return {};
    }
    const std::size_t length = std::min<std::size_t>({value.length, value.bytes.size(), 52});
    return {value.bytes.begin(), value.bytes.begin() + static_cast<std::ptrdiff_t>(length)};
}

// Every field on which the two sides disagree for this file.
std::vector<std::string> Differences(platform::VersionResources& windows,
                                     platform::VersionResources& portable, const std::wstring& file)
{
    std::vector<std::string> fields;
    if ((windows.VersionResourceSize(file) == 0) != (portable.VersionResourceSize(file) == 0)) {
        fields.emplace_back("size is zero");
    }
    VersionInfo expected(windows);
    VersionInfo actual(portable);
    expected.LoadFile(file);
    actual.LoadFile(file);
    if (expected.Language() != actual.Language() || expected.CodePage() != actual.CodePage()) {
        fields.emplace_back("translation");
    }
    for (const StringProperty& property : kStrings) {
        if ((expected.*property.read)() != (actual.*property.read)()) {
            fields.emplace_back(property.name);
        }
    }
    if (FixedRecord(windows, file) != FixedRecord(portable, file)) {
        fields.emplace_back("fixed record");
    }
    return fields;
}

bool LooksLikePeFile(const std::filesystem::path& path)
{
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    for (const char* known : {".dll", ".exe", ".drv", ".sys", ".ocx", ".cpl", ".acm", ".ax", ".tlb",
                              ".ds", ".msstyles", ".com", ".vxd", ".mui"}) {
        if (extension == known) {
            return true;
        }
    }
    return false;
}

TEST(VersionDifferential, FixturesReadAlike)
{
    platform::win32::Win32VersionResources windows;
    platform::portable::PeVersionResources portable;
    std::size_t compared = 0;
    for (const auto& entry : std::filesystem::directory_iterator(FixtureDirectory())) {
        const std::wstring file = entry.path().wstring();
        const auto fields = Differences(windows, portable, file);
        EXPECT_TRUE(fields.empty()) << Narrow(file) << ": " << ::testing::PrintToString(fields);
        ++compared;
    }
    EXPECT_GE(compared, 12u);
}

TEST(VersionDifferential, TheRunningModuleIsTheProgramItself)
{
    platform::win32::Win32VersionResources windows;
    const platform::ModuleHandle self = windows.RunningModule();
    ASSERT_NE(self, 0u);
    std::wstring path(1024, L'\0');
    const std::uint32_t length = windows.ModuleFileName(self, path);
    ASSERT_GT(length, 4u);
    path.resize(length);
    EXPECT_EQ(std::filesystem::path(path).filename(), L"versioninfo_differential_tests.exe");
    EXPECT_EQ(path[1], L':');
}

TEST(VersionDifferential, WineLibrariesReadAlike)
{
    // Wine's own 64-bit and 32-bit programs and libraries, seen through drive Z:.
    const std::filesystem::path folders[] = {
        L"Z:\\usr\\lib\\x86_64-linux-gnu\\wine\\x86_64-windows",
        L"Z:\\usr\\lib\\x86_64-linux-gnu\\wine\\i386-windows",
    };
    std::error_code error;
    if (!std::filesystem::is_directory(folders[0], error)) {
        GTEST_SKIP() << "no Wine library folder at " << folders[0].string();
    }
    platform::win32::Win32VersionResources windows;
    platform::portable::PeVersionResources portable;
    std::size_t compared = 0;
    std::size_t withResource = 0;
    std::size_t differing = 0;
    for (const auto& folder : folders) {
        if (!std::filesystem::is_directory(folder, error)) {
            continue;
        }
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            if (!entry.is_regular_file() || !LooksLikePeFile(entry.path())) {
                continue;
            }
            const std::wstring file = entry.path().wstring();
            const auto fields = Differences(windows, portable, file);
            ++compared;
            withResource += portable.VersionResourceSize(file) != 0 ? 1 : 0;
            if (!fields.empty()) {
                ++differing;
                ADD_FAILURE() << Narrow(file) << " differs in " << ::testing::PrintToString(fields);
            }
        }
    }
    std::printf("version resources: compared %zu files (%zu with a version resource), %zu "
                "differences\n",
                compared, withResource, differing);
    std::fflush(stdout);
    EXPECT_GT(compared, 100u);
    EXPECT_GT(withResource, 100u);
}

} // namespace
} // namespace tolvan::test
