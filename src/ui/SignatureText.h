#pragma once

#include "InterfaceLanguage.h"
#include "entries/StartupEntry.h"
#include "platform/Clock.h"
#include "platform/MessageBoxService.h"
#include "platform/window/Layout.h"

#include <string>

namespace ui {

// What the details panel says of the entry's program signature: who signed it and whether
// Windows trusts that, or why it cannot say. Empty when there is no program file to check.
[[nodiscard]] std::wstring SignatureLine(const InterfaceLanguage& language,
                                         const platform::MessageBoxService& messages,
                                         const entries::StartupEntry& entry);

// The colour of that line: the window's text colour for a signature that holds (or one that
// cannot be checked); a colour that stands out for one that does not, red for a changed file.
[[nodiscard]] platform::window::Colour SignatureColour(const entries::StartupEntry& entry) noexcept;

// Whether the list marks the entry's line: its program is not what was signed, or was signed by
// a certificate the machine does not trust.
[[nodiscard]] bool SignatureNeedsMark(const entries::StartupEntry& entry) noexcept;

// Whether there is more to tell of the signature than the panel's line: the file exists and was
// checked, and is signed or could not be checked.
[[nodiscard]] bool HasSignatureDetails(const entries::StartupEntry& entry) noexcept;

// The signature details box's text: the verdict, then the signer, its issuer, when it was
// signed (with a timestamp only), how long the certificate is valid, its SHA-256 thumbprint, and
// where the signature was found.
[[nodiscard]] std::wstring SignatureDetailsText(const InterfaceLanguage& language,
                                                const platform::MessageBoxService& messages,
                                                const platform::Clock& clock,
                                                const entries::StartupEntry& entry);

} // namespace ui
