#pragma once

#include "ErrorCode.h"
#include "NulTerminated.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// What Windows makes of a program file's signature.
enum class SignatureKind : std::uint8_t {
    // The signature holds and its chain ends in a root the machine trusts.
    Verified,
    // The signature holds, but its certificate is not trusted: a partial chain, a root the
    // machine does not trust, a certificate not meant for code, or one that has expired.
    NotTrusted,
    // The file is not what was signed.
    Changed,
    // Neither the file nor any catalog of the system holds a signature for it.
    NotSigned,
    // Anything else: `error` says what.
    CannotCheck,
};

// The signing certificate of a signature that holds, and where the signature was found.
struct Signer {
    std::wstring name;                      // the certificate's simple display name
    std::wstring issuer;                    // its issuer's
    std::uint64_t validFrom = 0;            // FILETIME, UTC
    std::uint64_t validUntil = 0;           // FILETIME, UTC
    std::array<std::byte, 32> thumbprint{}; // SHA-256 of the certificate
    // When a time-stamping authority countersigned it; none without a timestamp.
    std::optional<std::uint64_t> signedAt;
    // The catalog file that holds the file's hash; empty for a signature in the file itself.
    std::wstring catalog;
};

struct SignatureVerdict {
    SignatureKind kind = SignatureKind::NotSigned;
    ErrorCode error = 0;          // CannotCheck: Windows' code for what failed
    std::optional<Signer> signer; // Verified and NotTrusted
};

// Checks program files' signatures, embedded or in the system's catalogs, without asking the
// user anything and without the network: no revocation check, nothing fetched.
class SignatureCheck {
public:
    virtual ~SignatureCheck() = default;

    // The verdict on the file. Any thread may call it, several at once. Throws std::bad_alloc
    // only.
    [[nodiscard]] virtual SignatureVerdict Check(const NulTerminated& path) = 0;
};

} // namespace platform
