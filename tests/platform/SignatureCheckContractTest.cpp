// Who signed a program, as Windows (under Wine) and the portable model of the signed fixtures
// say: signed with a partial chain or by an authority trusted nowhere, changed after signing,
// listed in an installed catalog, not signed, missing. The test authority is trusted only where
// TOLVAN_TEST_CA_TRUSTED says the machine was set up so (tests/e2e/run-with-trusted-ca.sh).
#include "Fixtures.h"
#include "support/PlatformBackend.h"

#include <cstdlib>
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

namespace tolvan::test {
namespace {

using platform::SignatureKind;

constexpr std::wstring_view kFolder = L"C:\\TolvanSigned\\";

bool AuthorityTrusted()
{
    const char* trusted = std::getenv("TOLVAN_TEST_CA_TRUSTED");
    return trusted != nullptr && std::string_view(trusted) == "1";
}

class SignatureCheckContract : public ::testing::TestWithParam<PlatformKind> {
protected:
    void SetUp() override
    {
#ifdef _WIN32
        if (GetParam().name == "win32") {
            InstallCatalog();
        }
#endif
    }
    void TearDown() override
    {
        if (!installedCatalog_.empty()) {
            std::error_code ignored;
            std::filesystem::remove(installedCatalog_, ignored);
        }
    }

    platform::SignatureVerdict CheckCopyOf(std::wstring_view fixture)
    {
        const std::wstring path = std::wstring(kFolder) + std::wstring(fixture);
        backend->PutCopyOf(path, FixtureFile(fixture));
        return backend->Services().signatures.Check(path);
    }

    std::unique_ptr<PlatformBackend> backend = GetParam().make();

private:
#ifdef _WIN32
    // Where Windows keeps the catalogs of its own files and drivers.
    void InstallCatalog()
    {
        std::array<wchar_t, MAX_PATH> system{};
        ASSERT_NE(GetSystemDirectoryW(system.data(), MAX_PATH), 0u);
        const std::filesystem::path folder = std::filesystem::path(system.data()) / L"catroot" /
                                             L"{F750E6C3-38EE-11D1-85E5-00C04FC295EE}";
        std::filesystem::create_directories(folder);
        installedCatalog_ = folder / L"tolvan-test.cat";
        std::filesystem::copy_file(FixtureFile(L"catalog.cat"), installedCatalog_,
                                   std::filesystem::copy_options::overwrite_existing);
    }
#endif
    std::filesystem::path installedCatalog_;
};

TEST_P(SignatureCheckContract, EachFixtureGetsItsVerdict)
{
    // The portable model knows the authority as trusted nowhere.
    const SignatureKind signedKind = AuthorityTrusted() && GetParam().name == "win32"
                                         ? SignatureKind::Verified
                                         : SignatureKind::NotTrusted;
    const struct {
        const wchar_t* fixture;
        SignatureKind kind;
        bool fromCatalog;
    } rows[] = {
        {L"signed_chain.exe", signedKind, false},
        {L"signed_leaf.exe", signedKind, false},
        {L"signed_changed.exe", SignatureKind::Changed, false},
        // Wine judges a catalog's signer as of a moment no certificate is valid at: not trusted
        // even with the authority trusted.
        {L"catalog_member.exe", SignatureKind::NotTrusted, true},
        {L"details.exe", SignatureKind::NotSigned, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << std::filesystem::path(row.fixture).string());
        const platform::SignatureVerdict verdict = CheckCopyOf(row.fixture);
        EXPECT_EQ(verdict.kind, row.kind);
        ASSERT_EQ(verdict.signer.has_value(),
                  row.kind == SignatureKind::Verified || row.kind == SignatureKind::NotTrusted);
        if (verdict.signer) {
            EXPECT_EQ(verdict.signer->name, L"Tolvan Test Signer");
            EXPECT_EQ(verdict.signer->issuer, L"Tolvan Test CA");
            EXPECT_EQ(verdict.signer->catalog.ends_with(L"\\tolvan-test.cat"), row.fromCatalog)
                << std::filesystem::path(verdict.signer->catalog).string();
        }
    }
    const platform::SignatureVerdict missing =
        backend->Services().signatures.Check(std::wstring(kFolder) + L"missing.exe");
    EXPECT_EQ(missing.kind, SignatureKind::CannotCheck);
    EXPECT_EQ(missing.error, 2u);
}

TOLVAN_FOR_EACH_PLATFORM(SignatureCheckContract);

} // namespace
} // namespace tolvan::test
