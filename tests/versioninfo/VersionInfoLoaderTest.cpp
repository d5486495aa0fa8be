#include "Fixtures.h"
#include "portable/PeVersionResources.h"
#include "versioninfo/VersionInfo.h"

#include <gtest/gtest.h>

namespace tolvan::test {

using versioninfo::VersionInfo;
using versioninfo::VersionInfoFailure;
namespace {

enum class Fault { None, ModuleFileName, CutModuleFileName, Read, Translation, Root, ShortRoot };

// The PE reader with one operation made to fail or misbehave, for the loader's failure paths that
// real files cannot reach.
class FaultyResources final : public platform::VersionResources {
public:
    Fault fault = Fault::None;

    FaultyResources() { inner_.SetModule(L"module.dll", FixtureFile(L"module.dll")); }

    platform::ModuleHandle ModuleHandleOf(const platform::NulTerminated& name) noexcept override
    {
        return inner_.ModuleHandleOf(name);
    }
    platform::ModuleHandle RunningModule() noexcept override { return inner_.RunningModule(); }
    std::uint32_t ModuleFileName(platform::ModuleHandle module,
                                 std::span<wchar_t> buffer) noexcept override
    {
        if (fault == Fault::ModuleFileName) {
            return 0;
        }
        if (fault == Fault::CutModuleFileName) {
            std::fill(buffer.begin(), buffer.end(), L'x');
            buffer.back() = L'\0';
            return static_cast<std::uint32_t>(buffer.size());
        }
        return inner_.ModuleFileName(module, buffer);
    }
    std::uint32_t VersionResourceSize(const platform::NulTerminated& fileName) noexcept override
    {
        return inner_.VersionResourceSize(fileName);
    }
    bool ReadVersionResource(const platform::NulTerminated& fileName,
                             std::span<std::byte> data) noexcept override
    {
        return fault != Fault::Read && inner_.ReadVersionResource(fileName, data);
    }
    bool QueryVersionValue(std::span<const std::byte> data, const platform::NulTerminated& subBlock,
                           platform::VersionValue& value) noexcept override
    {
        const bool isRoot = subBlock == L"\\";
        if ((fault == Fault::Translation && subBlock == L"\\VarFileInfo\\Translation") ||
            (fault == Fault::Root && isRoot)) {
            value = {};
            return false;
        }
        const bool found = inner_.QueryVersionValue(data, subBlock, value);
        if (found && isRoot && fault == Fault::ShortRoot) {
            value.length = 8; // the signature and the structure version only
        }
        return found;
    }

private:
    platform::portable::PeVersionResources inner_;
};

class VersionInfoLoader : public ::testing::Test {
protected:
    FaultyResources resources;
};

TEST_F(VersionInfoLoader, ModulePathFailureIsFailureTwoAndKeepsTheFileName)
{
    for (const Fault fault : {Fault::ModuleFileName, Fault::CutModuleFileName}) {
        VersionInfo info(resources);
        info.LoadFile(FixtureFile(L"full.exe"));
        resources.fault = fault;
        info.LoadModule(L"module.dll");
        ASSERT_TRUE(info.LastLoadError().has_value());
        EXPECT_EQ(info.LastLoadError()->failure, VersionInfoFailure::ModuleFileName);
        EXPECT_EQ(info.FileName(), FixtureFile(L"full.exe"));
        EXPECT_EQ(info.ProductName(), L"Tolvan ind\u00EDt\u00F3pult-kezel\u0151");
        resources.fault = Fault::None;
    }
}

TEST_F(VersionInfoLoader, FailedReadIsFailureFive)
{
    resources.fault = Fault::Read;
    VersionInfo info(resources);
    info.LoadFile(FixtureFile(L"full.exe"));
    ASSERT_TRUE(info.LastLoadError().has_value());
    EXPECT_EQ(info.LastLoadError()->failure, VersionInfoFailure::ResourceRead);
    EXPECT_EQ(info.ProductName(), L"");
    EXPECT_EQ(info.Language(), 0);
}

TEST_F(VersionInfoLoader, MissingTranslationIsFailureSix)
{
    resources.fault = Fault::Translation;
    VersionInfo info(resources);
    info.LoadFile(FixtureFile(L"full.exe"));
    ASSERT_TRUE(info.LastLoadError().has_value());
    EXPECT_EQ(info.LastLoadError()->failure, VersionInfoFailure::Translation);
    EXPECT_EQ(info.ProductName(), L"");
    EXPECT_EQ(info.FileType(), L"Unknown");
}

TEST_F(VersionInfoLoader, MissingRootIsFailureSevenButStringsAnswer)
{
    resources.fault = Fault::Root;
    VersionInfo info(resources);
    info.LoadFile(FixtureFile(L"full.exe"));
    ASSERT_TRUE(info.LastLoadError().has_value());
    EXPECT_EQ(info.LastLoadError()->failure, VersionInfoFailure::FixedRecord);
    EXPECT_EQ(info.CompanyName(), L"Kavrenta");
    EXPECT_EQ(info.FileType(), L"Unknown");
    EXPECT_EQ(info.FileOSRaw(), 0);
}

TEST_F(VersionInfoLoader, ShortRecordOverwritesOnlyItsOwnBytes)
{
    VersionInfo info(resources);
    info.LoadFile(FixtureFile(L"full.exe"));
    resources.fault = Fault::ShortRoot;
    info.LoadFile(FixtureFile(L"font.exe"));
    EXPECT_FALSE(info.LastLoadError().has_value());
    EXPECT_EQ(info.FileType(), L"Application");
    EXPECT_EQ(info.FileOS(), L"Win32 API on Windows NT");
    EXPECT_EQ(info.ProductName(), L"Font");
}

} // namespace
} // namespace tolvan::test
