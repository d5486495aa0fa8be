#include "SignatureText.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace ui {
namespace {

using platform::SignatureKind;
using platform::window::Colour;

// COLORREF: 0x00BBGGRR.
constexpr Colour kChangedRed = Colour::Fixed(0x0000C0);
constexpr Colour kWarningBrown = Colour::Fixed(0x0050B0);

std::wstring Hex(const std::array<std::byte, 32>& bytes)
{
    constexpr std::wstring_view kDigits = L"0123456789ABCDEF";
    std::wstring text;
    text.reserve(bytes.size() * 2);
    for (const std::byte value : bytes) {
        const auto number = std::to_integer<std::uint8_t>(value);
        text += kDigits[number >> 4U];
        text += kDigits[number & 0xFU];
    }
    return text;
}

} // namespace

std::wstring SignatureLine(const InterfaceLanguage& language,
                           const platform::MessageBoxService& messages,
                           const entries::StartupEntry& entry)
{
    if (entry.textsPending) {
        return language.Text(UiText::SignatureBeingChecked);
    }
    if (!entry.programFound || !entry.signature) {
        return {};
    }
    const platform::SignatureVerdict& verdict = *entry.signature;
    const std::wstring signer = verdict.signer ? verdict.signer->name : std::wstring();
    switch (verdict.kind) {
    case SignatureKind::Verified:
        return language.Text(UiText::SignedVerified, {signer});
    case SignatureKind::NotTrusted:
        return language.Text(UiText::SignedNotTrusted, {signer});
    case SignatureKind::Changed:
        return language.Text(UiText::SignatureChanged);
    case SignatureKind::NotSigned:
        return language.Text(UiText::NotSigned);
    case SignatureKind::CannotCheck:
        break;
    }
    return language.Text(UiText::SignatureUncheckable, {messages.ErrorText(verdict.error)});
}

Colour SignatureColour(const entries::StartupEntry& entry) noexcept
{
    if (entry.textsPending || !entry.programFound || !entry.signature) {
        return Colour::System(Colour::Kind::WindowText);
    }
    switch (entry.signature->kind) {
    case SignatureKind::Changed:
        return kChangedRed;
    case SignatureKind::NotTrusted:
    case SignatureKind::NotSigned:
        return kWarningBrown;
    case SignatureKind::Verified:
    case SignatureKind::CannotCheck:
        break;
    }
    return Colour::System(Colour::Kind::WindowText);
}

bool SignatureNeedsMark(const entries::StartupEntry& entry) noexcept
{
    return entry.programFound && entry.signature &&
           (entry.signature->kind == SignatureKind::Changed ||
            entry.signature->kind == SignatureKind::NotTrusted);
}

bool HasSignatureDetails(const entries::StartupEntry& entry) noexcept
{
    return !entry.textsPending && entry.programFound && entry.signature &&
           entry.signature->kind != SignatureKind::NotSigned;
}

std::wstring SignatureDetailsText(const InterfaceLanguage& language,
                                  const platform::MessageBoxService& messages,
                                  const platform::Clock& clock, const entries::StartupEntry& entry)
{
    std::wstring text = SignatureLine(language, messages, entry);
    if (!entry.signature || !entry.signature->signer) {
        return text;
    }
    const platform::Signer& signer = *entry.signature->signer;
    const auto line = [&](UiText pattern, std::initializer_list<std::wstring_view> values) {
        text += L"\r\n";
        text += language.Text(pattern, values);
    };
    text += L"\r\n";
    line(UiText::SignerLine, {signer.name});
    line(UiText::IssuerLine, {signer.issuer});
    if (signer.signedAt) {
        line(UiText::SignedAtLine, {clock.LocalDateAndTime(*signer.signedAt)});
    }
    line(UiText::ValidityLine,
         {clock.LocalDateAndTime(signer.validFrom), clock.LocalDateAndTime(signer.validUntil)});
    line(UiText::ThumbprintLine, {Hex(signer.thumbprint)});
    if (signer.catalog.empty()) {
        text += L"\r\n" + language.Text(UiText::EmbeddedSignature);
    } else {
        line(UiText::CatalogLine, {signer.catalog});
    }
    return text;
}

} // namespace ui
