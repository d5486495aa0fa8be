#include "Win32SignatureCheck.h"

#include "FileHandle.h"
#include "FindHandle.h"
#include "platform/UniqueHandle.h"

#include <array>
#include <cstring>
#include <initializer_list>
#include <string_view>

namespace platform::win32 {
namespace {

// WinVerifyTrust's answers that decide the verdict before the signer is looked at.
constexpr LONG kNoSignature = static_cast<LONG>(0x800B0100);    // TRUST_E_NOSIGNATURE
constexpr LONG kUnknownSubject = static_cast<LONG>(0x800B0003); // TRUST_E_SUBJECT_FORM_UNKNOWN
constexpr LONG kBadDigest = static_cast<LONG>(0x80096010);      // TRUST_E_BAD_DIGEST
constexpr LONG kWrongHash = static_cast<LONG>(0x80091007);      // CRYPT_E_HASH_VALUE
constexpr ErrorCode kNoSignerCertificate = 0x80096002;          // TRUST_E_NO_SIGNER_CERT

// Answers about the certificate of a signature that holds.
constexpr std::array<LONG, 10> kCertificateFaults{
    static_cast<LONG>(0x800B0101), // CERT_E_EXPIRED
    static_cast<LONG>(0x800B0102), // CERT_E_VALIDITYPERIODNESTING
    static_cast<LONG>(0x800B0106), // CERT_E_PURPOSE
    static_cast<LONG>(0x800B0109), // CERT_E_UNTRUSTEDROOT
    static_cast<LONG>(0x800B010A), // CERT_E_CHAINING
    static_cast<LONG>(0x800B010D), // CERT_E_UNTRUSTEDTESTROOT
    static_cast<LONG>(0x800B0110), // CERT_E_WRONG_USAGE
    static_cast<LONG>(0x800B0111), // TRUST_E_EXPLICIT_DISTRUST
    static_cast<LONG>(0x80096004), // TRUST_E_CERT_SIGNATURE
    static_cast<LONG>(0x80096019), // TRUST_E_BASIC_CONSTRAINTS
};

// No revocation is checked, so a chain that cannot tell says nothing about trust.
constexpr DWORD kRevocationUnknown =
    CERT_TRUST_REVOCATION_STATUS_UNKNOWN | CERT_TRUST_IS_OFFLINE_REVOCATION;

// The catalogs of the system's own files and of drivers (DRIVER_ACTION_VERIFY).
constexpr GUID kSystemCatalogs{
    0xF750E6C3, 0x38EE, 0x11D1, {0x85, 0xE5, 0x00, 0xC0, 0x4F, 0xC2, 0x95, 0xEE}};

std::uint64_t FromFileTime(const FILETIME& time) noexcept
{
    return (std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
}

bool IsCertificateFault(LONG answer) noexcept
{
    for (const LONG fault : kCertificateFaults) {
        if (answer == fault) {
            return true;
        }
    }
    return false;
}

std::wstring LowerHex(const BYTE* bytes, DWORD size)
{
    constexpr std::wstring_view kDigits = L"0123456789abcdef";
    std::wstring text;
    text.reserve(std::size_t{size} * 2);
    for (DWORD k = 0; k < size; ++k) {
        text += kDigits[bytes[k] >> 4];
        text += kDigits[bytes[k] & 0x0F];
    }
    return text;
}

template <typename Value> Value Little(const BYTE* at) noexcept
{
    Value value{};
    std::memcpy(&value, at, sizeof(value)); // the images and this machine are little-endian
    return value;
}

bool ReadAt(HANDLE file, DWORD offset, BYTE* into, DWORD size) noexcept
{
    LARGE_INTEGER at{};
    at.QuadPart = offset;
    DWORD read = 0;
    return SetFilePointerEx(file, at, nullptr, FILE_BEGIN) != FALSE &&
           ReadFile(file, into, size, &read, nullptr) != FALSE && read == size;
}

// Whether the file is a program image (PE) whose certificate table is empty, so that it holds no
// signature of its own: WinVerifyTrust, slow under Wine, would only say so. Any other file, and
// any header this does not understand, is left to WinVerifyTrust.
bool IsImageWithoutCertificates(HANDLE file) noexcept
{
    constexpr DWORD kNewHeaderOffset = 0x3C;
    constexpr DWORD kFileHeaderSize = 20;
    constexpr WORD kPe32 = 0x10B;
    constexpr WORD kPe32Plus = 0x20B;
    constexpr DWORD kCertificateDirectory = 4;
    std::array<BYTE, 64> dos{};
    if (!ReadAt(file, 0, dos.data(), dos.size()) || dos[0] != 'M' || dos[1] != 'Z') {
        return false;
    }
    const auto newHeader = Little<DWORD>(dos.data() + kNewHeaderOffset);
    // The signature, the file header and an optional header as far as the certificate table.
    std::array<BYTE, 4 + kFileHeaderSize + 152> pe{};
    if (newHeader > 0x10000000 || !ReadAt(file, newHeader, pe.data(), pe.size()) ||
        std::memcmp(pe.data(), "PE\0\0", 4) != 0) {
        return false;
    }
    const auto optionalSize = Little<WORD>(pe.data() + 4 + 16);
    const BYTE* optional = pe.data() + 4 + kFileHeaderSize;
    const auto magic = Little<WORD>(optional);
    if (magic != kPe32 && magic != kPe32Plus) {
        return false;
    }
    const DWORD directories = magic == kPe32 ? 96 : 112; // where the data directories start
    const auto directoryCount = Little<DWORD>(optional + directories - 4);
    if (directoryCount <= kCertificateDirectory) {
        return true;
    }
    const DWORD certificates = directories + kCertificateDirectory * 8;
    if (optionalSize < certificates + 8) {
        return false;
    }
    return Little<DWORD>(optional + certificates) == 0 &&
           Little<DWORD>(optional + certificates + 4) == 0;
}

} // namespace

Win32SignatureCheck::Win32SignatureCheck()
    : wintrust_(L"wintrust.dll"), crypt32_(L"crypt32.dll"),
      verify_(wintrust_.Require<VerifyFunction>("WinVerifyTrust")),
      providerData_(wintrust_.Require<ProviderDataFunction>("WTHelperProvDataFromStateData")),
      signerOf_(wintrust_.Require<SignerFunction>("WTHelperGetProvSignerFromChain")),
      acquire_(wintrust_.Require<AcquireFunction>("CryptCATAdminAcquireContext")),
      acquire2_(wintrust_.Find<Acquire2Function>("CryptCATAdminAcquireContext2")),
      hash_(wintrust_.Require<HashFunction>("CryptCATAdminCalcHashFromFileHandle")),
      hash2_(wintrust_.Find<Hash2Function>("CryptCATAdminCalcHashFromFileHandle2")),
      enumCatalogs_(wintrust_.Require<EnumFunction>("CryptCATAdminEnumCatalogFromHash")),
      catalogInfo_(wintrust_.Require<CatalogInfoFunction>("CryptCATCatalogInfoFromContext")),
      releaseInfo_(wintrust_.Require<ReleaseInfoFunction>("CryptCATAdminReleaseCatalogContext")),
      releaseAdmin_(wintrust_.Require<ReleaseAdminFunction>("CryptCATAdminReleaseContext")),
      nameOf_(crypt32_.Require<NameFunction>("CertGetNameStringW")),
      hashCertificate_(crypt32_.Require<HashCertificateFunction>("CryptHashCertificate2"))
{
    std::array<wchar_t, MAX_PATH> system{};
    const UINT length = GetSystemDirectoryW(system.data(), static_cast<UINT>(system.size()));
    if (length > 0 && length < system.size()) {
        catalogPattern_.assign(system.data(), length);
        catalogPattern_ += L"\\catroot\\{F750E6C3-38EE-11D1-85E5-00C04FC295EE}\\*.cat";
    }
}

SignatureVerdict Win32SignatureCheck::Check(const NulTerminated& path)
{
    const FileHandle file(CreateFileW(path.CString(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return {SignatureKind::CannotCheck, GetLastError(), std::nullopt};
    }
    if (!IsImageWithoutCertificates(file.get())) {
        WINTRUST_FILE_INFO info{};
        info.cbStruct = sizeof(info);
        info.pcwszFilePath = path.CString();
        WINTRUST_DATA request{};
        request.dwUnionChoice = WTD_CHOICE_FILE;
        request.pFile = &info;
        SignatureVerdict verdict = Verify(request, {});
        if (verdict.kind != SignatureKind::NotSigned) {
            return verdict;
        }
    }
    if (!AnyCatalogInstalled()) {
        return {};
    }
    return CheckCatalogs(path, file.get());
}

// Windows keeps a catalog database beside this folder; Wine looks through the folder's files on
// every lookup. Where it holds none, no lookup can find one.
bool Win32SignatureCheck::AnyCatalogInstalled() const
{
    if (catalogPattern_.empty()) {
        return true;
    }
    WIN32_FIND_DATAW found{};
    const FindHandle search(FindFirstFileExW(catalogPattern_.c_str(), FindExInfoBasic, &found,
                                             FindExSearchNameMatch, nullptr, 0));
    if (search) {
        return true;
    }
    const DWORD error = GetLastError();
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

SignatureVerdict Win32SignatureCheck::Verify(WINTRUST_DATA& request, const std::wstring& catalog)
{
    GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    request.cbStruct = sizeof(request);
    request.dwUIChoice = WTD_UI_NONE;
    request.fdwRevocationChecks = WTD_REVOKE_NONE;
    request.dwStateAction = WTD_STATEACTION_VERIFY;
    request.dwProvFlags = WTD_CACHE_ONLY_URL_RETRIEVAL | WTD_REVOCATION_CHECK_NONE;
    const LONG answer = verify_(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &request);
    // Every verification that was made is closed again, whatever came of it.
    struct Closing {
        ~Closing()
        {
            request.dwStateAction = WTD_STATEACTION_CLOSE;
            (void)verify(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &request);
        }
        WINTRUST_DATA& request;
        GUID& action;
        VerifyFunction verify;
    } closing{request, action, verify_};

    SignatureVerdict verdict;
    if (answer == kNoSignature || answer == kUnknownSubject) {
        verdict.kind = SignatureKind::NotSigned;
        return verdict;
    }
    if (answer == kBadDigest || answer == kWrongHash) {
        verdict.kind = SignatureKind::Changed;
        return verdict;
    }
    verdict.kind = SignatureKind::CannotCheck;
    verdict.error = static_cast<ErrorCode>(answer);
    if (answer != 0 && !IsCertificateFault(answer)) {
        return verdict;
    }
    CRYPT_PROVIDER_DATA* data = providerData_(request.hWVTStateData);
    const CRYPT_PROVIDER_SGNR* signer = data == nullptr ? nullptr : signerOf_(data, 0, FALSE, 0);
    if (signer == nullptr || signer->csCertChain == 0 || signer->pasCertChain == nullptr ||
        signer->pasCertChain[0].pCert == nullptr) {
        verdict.error = answer != 0 ? static_cast<ErrorCode>(answer) : kNoSignerCertificate;
        return verdict;
    }
    verdict.signer = SignerOf(*signer);
    verdict.signer->catalog = catalog;
    // Wine answers 0 for a chain that is partial or ends in a root nobody trusts: the chain
    // itself says so.
    const DWORD faults =
        signer->pChainContext == nullptr
            ? DWORD{CERT_TRUST_IS_PARTIAL_CHAIN}
            : signer->pChainContext->TrustStatus.dwErrorStatus & ~kRevocationUnknown;
    verdict.kind = answer == 0 && faults == 0 ? SignatureKind::Verified : SignatureKind::NotTrusted;
    verdict.error = static_cast<ErrorCode>(answer);
    return verdict;
}

SignatureVerdict Win32SignatureCheck::CheckCatalogs(const NulTerminated& path, HANDLE file)
{
    SignatureVerdict verdict;
    // Newer catalogs list SHA-256 hashes, older ones SHA-1. Windows before 8, and Wine, know
    // only the SHA-1 context.
    for (const wchar_t* algorithm : {L"SHA256", L"SHA1"}) {
        const bool sha1 = algorithm[3] == L'1';
        HCATADMIN admin = nullptr;
        bool acquired = acquire2_ != nullptr &&
                        acquire2_(&admin, &kSystemCatalogs, algorithm, nullptr, 0) != FALSE;
        const bool legacy = !acquired && sha1;
        if (legacy) {
            acquired = acquire_(&admin, &kSystemCatalogs, 0) != FALSE;
        }
        if (!acquired) {
            continue;
        }
        struct AdminRelease {
            ~AdminRelease() { (void)release(admin, 0); }
            HCATADMIN admin;
            ReleaseAdminFunction release;
        } adminRelease{admin, releaseAdmin_};

        std::array<BYTE, 64> hash{};
        auto size = static_cast<DWORD>(hash.size());
        LARGE_INTEGER start{};
        SetFilePointerEx(file, start, nullptr, FILE_BEGIN);
        const bool hashed = hash2_ != nullptr && !legacy
                                ? hash2_(admin, file, &size, hash.data(), 0) != FALSE
                                : sha1 && hash_(file, &size, hash.data(), 0) != FALSE;
        if (!hashed) {
            continue;
        }
        HCATINFO found = enumCatalogs_(admin, hash.data(), size, 0, nullptr);
        if (found == nullptr) {
            continue;
        }
        struct InfoRelease {
            ~InfoRelease() { (void)release(admin, info, 0); }
            HCATADMIN admin;
            HCATINFO info;
            ReleaseInfoFunction release;
        } infoRelease{admin, found, releaseInfo_};
        CATALOG_INFO info{};
        info.cbStruct = sizeof(info);
        if (catalogInfo_(found, &info, 0) == FALSE) {
            verdict.kind = SignatureKind::CannotCheck;
            verdict.error = GetLastError();
            return verdict;
        }
        const std::wstring tag = LowerHex(hash.data(), size);
        WINTRUST_CATALOG_INFO member{};
        member.cbStruct = sizeof(member);
        member.pcwszCatalogFilePath = info.wszCatalogFile;
        member.pcwszMemberTag = tag.c_str();
        member.pcwszMemberFilePath = path.CString();
        member.hMemberFile = file;
        member.pbCalculatedFileHash = hash.data();
        member.cbCalculatedFileHash = size;
        member.hCatAdmin = admin;
        WINTRUST_DATA request{};
        request.dwUnionChoice = WTD_CHOICE_CATALOG;
        request.pCatalog = &member;
        return Verify(request, info.wszCatalogFile);
    }
    return verdict;
}

Signer Win32SignatureCheck::SignerOf(const CRYPT_PROVIDER_SGNR& signer) const
{
    PCCERT_CONTEXT certificate = signer.pasCertChain[0].pCert;
    const auto name = [&](DWORD flags) {
        std::array<wchar_t, 512> text{};
        const DWORD length = nameOf_(certificate, CERT_NAME_SIMPLE_DISPLAY_TYPE, flags, nullptr,
                                     text.data(), static_cast<DWORD>(text.size()));
        return std::wstring(text.data(), length > 0 ? length - 1 : 0);
    };
    Signer made;
    made.name = name(0);
    made.issuer = name(CERT_NAME_ISSUER_FLAG);
    made.validFrom = FromFileTime(certificate->pCertInfo->NotBefore);
    made.validUntil = FromFileTime(certificate->pCertInfo->NotAfter);
    auto size = static_cast<DWORD>(made.thumbprint.size());
    if (hashCertificate_(L"SHA256", 0, nullptr, certificate->pbCertEncoded,
                         certificate->cbCertEncoded,
                         reinterpret_cast<BYTE*>(made.thumbprint.data()), &size) == FALSE) {
        made.thumbprint = {};
    }
    // A countersignature from a time-stamping authority sets the moment the signature is judged
    // at; without one that is now.
    if (signer.csCounterSigners > 0) {
        made.signedAt = FromFileTime(signer.sftVerifyAsOf);
    }
    return made;
}

} // namespace platform::win32
