#include "versioninfo/VersionInfo.h"

#include "Fixtures.h"
#include "support/VersionBackend.h"

#include <gtest/gtest.h>

namespace tolvan::test {

using versioninfo::VersionInfo;
using versioninfo::VersionInfoError;
using versioninfo::VersionInfoFailure;
namespace {

std::string VersionBackendName(const ::testing::TestParamInfo<VersionBackendKind>& info)
{
    return info.param.name;
}

// The same expectations, on the PE reader and (under Wine) on Windows' own functions.
class VersionInfoOnFixtures : public ::testing::TestWithParam<VersionBackendKind> {
protected:
    void SetUp() override { backend_ = GetParam().make(); }

    platform::VersionResources& Resources() { return backend_->Resources(); }
    VersionBackend& Backend() { return *backend_; }

    VersionInfo Load(std::wstring_view fixture)
    {
        VersionInfo info(Resources());
        info.LoadFile(FixtureFile(fixture));
        return info;
    }

private:
    std::unique_ptr<VersionBackend> backend_;
};

void ExpectNoStrings(const VersionInfo& info)
{
    EXPECT_EQ(info.ProductName(), L"");
    EXPECT_EQ(info.CompanyName(), L"");
    EXPECT_EQ(info.LegalCopyright(), L"");
    EXPECT_EQ(info.FileDescription(), L"");
}

void ExpectFailure(const VersionInfo& info, VersionInfoFailure failure)
{
    ASSERT_TRUE(info.LastLoadError().has_value());
    EXPECT_EQ(info.LastLoadError()->failure, failure);
}

void ExpectFullFixture(const VersionInfo& info)
{
    EXPECT_FALSE(info.LastLoadError().has_value());
    EXPECT_EQ(info.CompanyName(), L"Kavrenta");
    EXPECT_EQ(info.FileDescription(), L"Startup entry manager");
    EXPECT_EQ(info.FileVersion(), L"1.2.0.1");
    EXPECT_EQ(info.InternalName(), L"tolvan");
    EXPECT_EQ(info.LegalCopyright(), L"\u00A9 Kavrenta");
    // The file spells the key "OriginalFilename"; keys match without regard to case.
    EXPECT_EQ(info.OriginalFileName(), L"tolvan.exe");
    EXPECT_EQ(info.ProductName(), L"Tolvan ind\u00EDt\u00F3pult-kezel\u0151");
    EXPECT_EQ(info.ProductVersion(), L"1.2");
    EXPECT_EQ(info.LegalTrademarks(), L"Tolvan(TM)");
    EXPECT_EQ(info.LegalTrademarks1(), L"Trademark one");
    EXPECT_EQ(info.LegalTrademarks2(), L"Trademark two");
    EXPECT_EQ(info.Comments(), L"Made for the tests");
    EXPECT_EQ(info.PrivateBuild(), L"private build text");
    EXPECT_EQ(info.SpecialBuild(), L"special build text");
    EXPECT_EQ(info.Language(), 1033);
    EXPECT_EQ(info.CodePage(), 1200);
    EXPECT_EQ(info.FileFlagsRaw(), 0);
    EXPECT_EQ(info.FileFlags(), L"");
    EXPECT_EQ(info.FileOSRaw(), 0x40004);
    EXPECT_EQ(info.FileOS(), L"Win32 API on Windows NT");
    EXPECT_EQ(info.FileTypeRaw(), 1);
    EXPECT_EQ(info.FileType(), L"Application");
    EXPECT_EQ(info.FileSubTypeRaw(), 0);
    EXPECT_EQ(info.FileSubType(), L"Unknown");
}

TEST_P(VersionInfoOnFixtures, ReadsEveryStringTranslationAndFixedRecord)
{
    const VersionInfo info = Load(L"full.exe");
    EXPECT_EQ(info.FileName(), FixtureFile(L"full.exe"));
    ExpectFullFixture(info);
}

TEST_P(VersionInfoOnFixtures, Reads32BitFilesAlike)
{
    if (!kHaveFixtureX86) {
        GTEST_SKIP() << "no 32-bit MinGW-w64 tools";
    }
    ExpectFullFixture(Load(L"full32.exe"));
}

TEST_P(VersionInfoOnFixtures, KeepsBlanksAroundTexts)
{
    const VersionInfo info = Load(L"details.exe");
    EXPECT_EQ(info.CompanyName(), L"  Kavrenta Kft.  ");
    EXPECT_EQ(info.ProductName(), L"Minta");
    EXPECT_EQ(info.FileDescription(),
              L"Mintaprogram \u00E1rv\u00EDzt\u0171r\u0151 t\u00FCk\u00F6rf\u00FAr\u00F3g\u00E9p");
    EXPECT_EQ(info.Language(), 0x040E);
    EXPECT_EQ(info.CodePage(), 1250);
}

TEST_P(VersionInfoOnFixtures, KeyMissingFromTheTableGivesEmptyText)
{
    const VersionInfo info = Load(L"product_only.exe");
    EXPECT_FALSE(info.LastLoadError().has_value());
    EXPECT_EQ(info.ProductName(), L"Only a product");
    EXPECT_EQ(info.FileDescription(), L"");
    EXPECT_EQ(info.CompanyName(), L"");
    EXPECT_EQ(info.FileType(), L"DLL");
    EXPECT_EQ(info.FileOS(), L"Win32 API");
}

TEST_P(VersionInfoOnFixtures, NeutralTranslationReadsTheUsEnglishTable)
{
    const VersionInfo info = Load(L"neutral_translation.exe");
    EXPECT_EQ(info.ProductName(), L"Neutral product");
    EXPECT_EQ(info.CompanyName(), L"Neutral maker");
    EXPECT_EQ(info.Language(), 1033);
    EXPECT_EQ(info.CodePage(), 1252);
}

TEST_P(VersionInfoOnFixtures, DecodesTheFixedRecordOfEachKindOfFile)
{
    const VersionInfo driver = Load(L"neutral_translation.exe");
    EXPECT_EQ(driver.FileFlagsRaw(), 0x3F);
    EXPECT_EQ(driver.FileFlags(), L"Debug Patched Pre-release Private Special ");
    EXPECT_EQ(driver.FileOS(), L"Win16 API on DOS");
    EXPECT_EQ(driver.FileType(), L"Driver");
    EXPECT_EQ(driver.FileSubType(), L"Communications");

    const VersionInfo font = Load(L"font.exe");
    EXPECT_EQ(font.FileFlagsRaw(), 0x19);
    EXPECT_EQ(font.FileFlags(), L"Debug Private ");
    EXPECT_EQ(font.FileOS(), L"PM32 API on OS2/32");
    EXPECT_EQ(font.FileType(), L"Font");
    EXPECT_EQ(font.FileSubType(), L"TrueType");

    const VersionInfo vxd = Load(L"vxd.exe");
    EXPECT_EQ(vxd.FileFlagsRaw(), 0);
    EXPECT_EQ(vxd.FileFlags(), L"");
    EXPECT_EQ(vxd.FileOSRaw(), 0x50004);
    EXPECT_EQ(vxd.FileOS(), L"Win32 API");
    EXPECT_EQ(vxd.FileType(), L"VXD");
    EXPECT_EQ(vxd.FileSubTypeRaw(), -1);
    EXPECT_EQ(vxd.FileSubType(), L"-1");

    const VersionInfo unnamed = Load(L"unnamed_type.exe");
    EXPECT_EQ(unnamed.FileFlagsRaw(), 0x10);
    EXPECT_EQ(unnamed.FileFlags(), L"");
    EXPECT_EQ(unnamed.FileOS(), L"Unknown API");
    EXPECT_EQ(unnamed.FileType(), L"");
    EXPECT_EQ(unnamed.FileSubType(), L"Unknown");
}

TEST_P(VersionInfoOnFixtures, StringEndsAtItsFirstNul)
{
    const VersionInfo info = Load(L"nul_string.exe");
    EXPECT_FALSE(info.LastLoadError().has_value());
    EXPECT_EQ(info.Comments(), L"abc");
    EXPECT_EQ(info.Language(), 1033);
    EXPECT_EQ(info.CodePage(), 1200);
}

TEST_P(VersionInfoOnFixtures, ShortTranslationBlockEndsTheLoad)
{
    const VersionInfo info = Load(L"short_translation.exe");
    ExpectFailure(info, VersionInfoFailure::Other);
    ExpectNoStrings(info);
    EXPECT_EQ(info.Language(), 0);
    EXPECT_EQ(info.CodePage(), 0);
    EXPECT_EQ(info.FileType(), L"Unknown");
}

TEST_P(VersionInfoOnFixtures, FilesWithoutVersionResourceGiveEmptyTexts)
{
    for (const std::wstring_view fixture :
         {L"no_version.exe", L"no_resources.exe", L"no_such_file.exe"}) {
        SCOPED_TRACE(std::string(fixture.begin(), fixture.end()));
        const VersionInfo info = Load(fixture);
        ExpectFailure(info, VersionInfoFailure::ResourceSize);
        ExpectNoStrings(info);
        EXPECT_EQ(info.Language(), 0);
        EXPECT_EQ(info.FileOS(), L"Unknown API");
    }
    VersionInfo folder(Resources());
    folder.LoadFile(FixtureDirectory());
    ExpectFailure(folder, VersionInfoFailure::ResourceSize);
    ExpectNoStrings(folder);
}

TEST_P(VersionInfoOnFixtures, EmptyFileNameIsFailureThree)
{
    VersionInfo info(Resources());
    info.LoadFile(L"");
    ExpectFailure(info, VersionInfoFailure::NoFileName);
    ExpectNoStrings(info);
}

TEST_P(VersionInfoOnFixtures, FailedSecondLoadKeepsTheFirstFilesData)
{
    VersionInfo info = Load(L"full.exe");
    info.LoadFile(FixtureFile(L"no_version.exe"));
    ExpectFailure(info, VersionInfoFailure::ResourceSize);
    EXPECT_EQ(info.FileName(), FixtureFile(L"no_version.exe"));
    EXPECT_EQ(info.ProductName(), L"Tolvan ind\u00EDt\u00F3pult-kezel\u0151");
    EXPECT_EQ(info.Language(), 1033);
    EXPECT_EQ(info.FileType(), L"Application");
}

TEST_P(VersionInfoOnFixtures, LoadStoppedAtTheTranslationKeepsTheLaterFields)
{
    // The data is replaced, the key and the fixed record stay as the first file left them.
    VersionInfo info = Load(L"full.exe");
    info.LoadFile(FixtureFile(L"short_translation.exe"));
    ExpectFailure(info, VersionInfoFailure::Other);
    EXPECT_EQ(info.Language(), 1033);
    EXPECT_EQ(info.CodePage(), 1200);
    EXPECT_EQ(info.ProductName(), L"");
    EXPECT_EQ(info.FileType(), L"Application");
}

TEST_P(VersionInfoOnFixtures, SecondLoadReplacesEverything)
{
    VersionInfo info = Load(L"full.exe");
    info.LoadFile(FixtureFile(L"details.exe"));
    EXPECT_FALSE(info.LastLoadError().has_value());
    EXPECT_EQ(info.ProductName(), L"Minta");
    EXPECT_EQ(info.Comments(), L"");
    EXPECT_EQ(info.Language(), 0x040E);
}

TEST_P(VersionInfoOnFixtures, ModuleNameLoadsTheModulesFile)
{
    ASSERT_TRUE(Backend().LoadModule(L"module.dll", FixtureFile(L"module.dll")));
    for (const std::wstring_view name : {L"module.dll", L"MODULE.DLL", L"module"}) {
        SCOPED_TRACE(std::string(name.begin(), name.end()));
        VersionInfo info(Resources());
        info.LoadModule(name);
        EXPECT_FALSE(info.LastLoadError().has_value());
        EXPECT_EQ(info.ModuleName(), name);
        EXPECT_EQ(info.ProductName(), L"Module fixture");
        EXPECT_EQ(info.FileDescription(), L"Loaded by the tests");
        // The path alone: no NUL and no padding behind it.
        EXPECT_EQ(info.FileName().find(L'\0'), std::wstring::npos);
        EXPECT_EQ(info.FileName().size(), FixtureFile(L"module.dll").size());
    }
}

TEST_P(VersionInfoOnFixtures, StoredModuleNameDecidesTheFileOnEveryLoad)
{
    ASSERT_TRUE(Backend().LoadModule(L"module.dll", FixtureFile(L"module.dll")));
    VersionInfo info(Resources());
    info.LoadModule(L"module.dll");
    info.LoadFile(FixtureFile(L"full.exe"));
    EXPECT_EQ(info.FileName().size(), FixtureFile(L"module.dll").size());
    EXPECT_EQ(info.ProductName(), L"Module fixture");
}

TEST_P(VersionInfoOnFixtures, ModuleNotLoadedIsFailureOneAndKeepsTheFileName)
{
    VersionInfo info = Load(L"full.exe");
    info.LoadModule(L"tolvan_no_such_module.dll");
    ExpectFailure(info, VersionInfoFailure::ModuleHandle);
    EXPECT_EQ(info.FileName(), FixtureFile(L"full.exe"));
    EXPECT_EQ(info.ProductName(), L"Tolvan ind\u00EDt\u00F3pult-kezel\u0151");
}

INSTANTIATE_TEST_SUITE_P(Backends, VersionInfoOnFixtures, ::testing::ValuesIn(AllVersionBackends()),
                         VersionBackendName);

TEST(VersionInfoNew, ReadsAsEmptyBeforeAnyLoad)
{
    const auto backend = AllVersionBackends().front().make();
    const VersionInfo info(backend->Resources());
    EXPECT_EQ(info.FileName(), L"");
    EXPECT_EQ(info.ModuleName(), L"");
    EXPECT_FALSE(info.LastLoadError().has_value());
    ExpectNoStrings(info);
    EXPECT_EQ(info.Comments(), L"");
    EXPECT_EQ(info.Language(), 0);
    EXPECT_EQ(info.CodePage(), 0);
    EXPECT_EQ(info.FileFlagsRaw(), 0);
    EXPECT_EQ(info.FileFlags(), L"");
    EXPECT_EQ(info.FileOSRaw(), 0);
    EXPECT_EQ(info.FileOS(), L"Unknown API");
    EXPECT_EQ(info.FileTypeRaw(), 0);
    EXPECT_EQ(info.FileType(), L"Unknown");
    EXPECT_EQ(info.FileSubTypeRaw(), 0);
    EXPECT_EQ(info.FileSubType(), L"Unknown");
}

TEST(VersionInfoErrors, CarryTheLoadersNumbersAndMessages)
{
    struct Expected {
        VersionInfoFailure failure;
        std::int32_t number;
        std::wstring_view message;
    };
    const Expected expected[] = {
        {VersionInfoFailure::ModuleHandle, -2127660987, L"Unable to retrieve module handle."},
        {VersionInfoFailure::ModuleFileName, -2127660986, L"Unable to retrieve module file name."},
        {VersionInfoFailure::NoFileName, -2127660985,
         L"Either you haven't specified a valid file name, or the module you specified can't be "
         L"associated with a file."},
        {VersionInfoFailure::ResourceSize, -2127660984,
         L"Unable to retrieve the version info size. Perhaps the module name or file name is "
         L"invalid."},
        {VersionInfoFailure::ResourceRead, -2127660983, L"Unable to retrieve version information."},
        {VersionInfoFailure::Translation, -2127660982,
         L"Unable to retrieve language and code page information."},
        {VersionInfoFailure::FixedRecord, -2127660981,
         L"Unable to retrieve fixed file version information."},
    };
    for (const Expected& each : expected) {
        const VersionInfoError error = MakeVersionInfoError(each.failure);
        EXPECT_EQ(error.failure, each.failure);
        EXPECT_EQ(error.number, each.number);
        EXPECT_EQ(error.message, each.message);
    }
    EXPECT_EQ(
        static_cast<std::uint32_t>(MakeVersionInfoError(VersionInfoFailure::ModuleHandle).number),
        0x812E7845u);
}

} // namespace
} // namespace tolvan::test
