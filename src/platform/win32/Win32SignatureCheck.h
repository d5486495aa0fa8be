#pragma once

#include "SystemLibrary.h"
#include "platform/SignatureCheck.h"

#include <windows.h>

// The windows.h of the build leaves the cryptography out (WIN32_LEAN_AND_MEAN).
#include <wincrypt.h>

#include <mscat.h>
#include <softpub.h>
#include <wintrust.h>

namespace platform::win32 {

// WinVerifyTrust on the file, and where the file has no signature of its own, on the system's
// catalogs. wintrust.dll and crypt32.dll are loaded from the system folder when the object is
// made; a library or function every Windows has that cannot be had is a StartFailure. The
// catalog functions that came with Windows 8 are used where they exist (Wine 8 lacks them) and
// the older SHA-1 ones otherwise.
class Win32SignatureCheck final : public SignatureCheck {
public:
    Win32SignatureCheck();

    SignatureVerdict Check(const NulTerminated& path) override;

private:
    using VerifyFunction = LONG(WINAPI*)(HWND, GUID*, LPVOID);
    using ProviderDataFunction = CRYPT_PROVIDER_DATA*(WINAPI*)(HANDLE);
    using SignerFunction = CRYPT_PROVIDER_SGNR*(WINAPI*)(CRYPT_PROVIDER_DATA*, DWORD, BOOL, DWORD);
    using AcquireFunction = BOOL(WINAPI*)(HCATADMIN*, const GUID*, DWORD);
    using Acquire2Function = BOOL(WINAPI*)(HCATADMIN*, const GUID*, PCWSTR, PCCERT_STRONG_SIGN_PARA,
                                           DWORD);
    using HashFunction = BOOL(WINAPI*)(HANDLE, DWORD*, BYTE*, DWORD);
    using Hash2Function = BOOL(WINAPI*)(HCATADMIN, HANDLE, DWORD*, BYTE*, DWORD);
    using EnumFunction = HCATINFO(WINAPI*)(HCATADMIN, BYTE*, DWORD, DWORD, HCATINFO*);
    using CatalogInfoFunction = BOOL(WINAPI*)(HCATINFO, CATALOG_INFO*, DWORD);
    using ReleaseInfoFunction = BOOL(WINAPI*)(HCATADMIN, HCATINFO, DWORD);
    using ReleaseAdminFunction = BOOL(WINAPI*)(HCATADMIN, DWORD);
    using NameFunction = DWORD(WINAPI*)(PCCERT_CONTEXT, DWORD, DWORD, void*, LPWSTR, DWORD);
    using HashCertificateFunction = BOOL(WINAPI*)(LPCWSTR, DWORD, void*, const BYTE*, DWORD, BYTE*,
                                                  DWORD*);

    [[nodiscard]] SignatureVerdict Verify(WINTRUST_DATA& request, const std::wstring& catalog);
    [[nodiscard]] bool AnyCatalogInstalled() const;
    [[nodiscard]] SignatureVerdict CheckCatalogs(const NulTerminated& path, HANDLE file);
    [[nodiscard]] Signer SignerOf(const CRYPT_PROVIDER_SGNR& signer) const;

    SystemLibrary wintrust_;
    SystemLibrary crypt32_;
    VerifyFunction verify_;
    ProviderDataFunction providerData_;
    SignerFunction signerOf_;
    AcquireFunction acquire_;
    Acquire2Function acquire2_; // may be missing
    HashFunction hash_;
    Hash2Function hash2_; // may be missing
    EnumFunction enumCatalogs_;
    CatalogInfoFunction catalogInfo_;
    ReleaseInfoFunction releaseInfo_;
    ReleaseAdminFunction releaseAdmin_;
    NameFunction nameOf_;
    HashCertificateFunction hashCertificate_;
    // The system's catalogs; empty when the system folder is not known, and then every lookup
    // is made.
    std::wstring catalogPattern_;
};

} // namespace platform::win32
