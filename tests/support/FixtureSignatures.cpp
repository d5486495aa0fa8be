#include "FixtureSignatures.h"

#include "Fixtures.h"

#include <fstream>
#include <iterator>

namespace tolvan::test {
namespace {

std::vector<char> BytesOf(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

platform::SignatureVerdict ByTheTestSigner(std::wstring catalog = {})
{
    platform::Signer signer;
    signer.name = L"Tolvan Test Signer";
    signer.issuer = L"Tolvan Test CA";
    signer.catalog = std::move(catalog);
    return {platform::SignatureKind::NotTrusted, 0, std::move(signer)};
}

} // namespace

// The catalog's path is where Windows keeps the catalogs of its own files.
constexpr const wchar_t* kInstalledCatalog =
    L"C:\\windows\\system32\\catroot\\{f750e6c3-38ee-11d1-85e5-00c04fc295ee}\\tolvan-test.cat";

FixtureSignatures::FixtureSignatures(const platform::portable::DriveMap& drives) : drives_(drives)
{
    known_[BytesOf(FixtureFile(L"signed_chain.exe"))] = ByTheTestSigner();
    known_[BytesOf(FixtureFile(L"signed_leaf.exe"))] = ByTheTestSigner();
    known_[BytesOf(FixtureFile(L"signed_changed.exe"))] = {platform::SignatureKind::Changed, 0,
                                                           std::nullopt};
    known_[BytesOf(FixtureFile(L"catalog_member.exe"))] = ByTheTestSigner(kInstalledCatalog);
}

platform::SignatureVerdict FixtureSignatures::Check(const platform::NulTerminated& path)
{
    const auto host = drives_.Resolve(path.View());
    std::error_code error;
    if (!host || !std::filesystem::is_regular_file(*host, error)) {
        return {platform::SignatureKind::CannotCheck, 2, std::nullopt};
    }
    const auto found = known_.find(BytesOf(*host));
    return found == known_.end() ? platform::SignatureVerdict{} : found->second;
}

} // namespace tolvan::test
