// Who signed the selected entry's program, as the details panel, the list and the context menu
// show it, for every verdict and in both languages; and the signature details box.
#include "MainWindowFixture.h"

namespace tolvan::test {
namespace {

using platform::SignatureKind;
using platform::window::Colour;

constexpr std::size_t kSignatureDetails = 5;
constexpr const wchar_t* kProgram = L"F:\\no_version.exe";

platform::Signer TestSigner(std::wstring catalog = {})
{
    platform::Signer signer{.name = L"Test Signer", .issuer = L"Test CA"};
    signer.validFrom = 132223104000000000;  // 2020-01-01 00:00
    signer.validUntil = 137272320000000000; // 2036-01-01 00:00
    signer.thumbprint.fill(std::byte{0xA5});
    signer.thumbprint[0] = std::byte{0x0F};
    signer.catalog = std::move(catalog);
    return signer;
}

class SignatureShown : public MainWindowFixture {
protected:
    // Lists the entry, its program's signature as given, and selects it. A verdict is kept
    // for as long as the file stays as it is: each call names the fixture by a path of its own.
    void ShowWith(const std::optional<platform::SignatureVerdict>& verdict,
                  std::wstring_view command = kProgram)
    {
        const wchar_t drive = nextDrive++;
        drives.Map(drive, std::filesystem::path(FixtureDirectory()));
        const std::wstring program = drive + std::wstring(command.substr(1));
        signatures.Set(program, verdict.value_or(platform::SignatureVerdict{}));
        PutRunValue(platform::reg::kCurrentUser, L"Program", program);
        mainWindow.RefillList();
        ListAllRows();
        c.entryList.SetSelectedIndex(0);
    }

    std::optional<std::size_t> RightClickChoosing(std::optional<std::size_t> choice)
    {
        windows.menuScript = [choice, this](std::span<const platform::window::MenuItem> items) {
            detailsOffered = items[kSignatureDetails].enabled;
            return choice;
        };
        c.entryList.RaiseContextMenu({0, {10, 10}, false});
        return choice;
    }

    const ui::MainWindowControls& c = mainWindow.Controls();
    bool detailsOffered = false;
    wchar_t nextDrive = L'G';
};

TEST_F(SignatureShown, EachVerdictHasItsLineColourMarkAndMenuItem)
{
    const Colour text = Colour::System(Colour::Kind::WindowText);
    const struct {
        std::optional<platform::SignatureVerdict> verdict;
        const wchar_t* command;
        const wchar_t* english;
        const wchar_t* hungarian;
        bool standsOut; // in a colour other than the text's
        bool marked;
        bool details;
    } rows[] = {
        {platform::SignatureVerdict{SignatureKind::Verified, 0, TestSigner()}, kProgram,
         L"Signed by: Test Signer (verified)", L"Aláíró: Test Signer (ellenőrizve)", false, false,
         true},
        {platform::SignatureVerdict{SignatureKind::NotTrusted, 0, TestSigner()}, kProgram,
         L"Signed by: Test Signer (certificate not trusted)",
         L"Aláíró: Test Signer (nem megbízható tanúsítvány)", true, true, true},
        {platform::SignatureVerdict{SignatureKind::Changed, 0, std::nullopt}, kProgram,
         L"Signature not valid: the file was changed",
         L"Az aláírás érvénytelen: a fájl megváltozott", true, true, true},
        {std::nullopt, kProgram, L"Not signed", L"Nincs aláírva", true, false, false},
        {platform::SignatureVerdict{SignatureKind::CannotCheck, 5, std::nullopt}, kProgram,
         L"Signature can't be checked: Access is denied. (5)",
         L"Az aláírás nem ellenőrizhető: Access is denied. (5)", false, false, true},
        // No file, nothing to check.
        {std::nullopt, L"F:\\missing.exe", L"", L"", false, false, false},
    };
    Open();
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << std::filesystem::path(row.english).string());
        ShowWith(row.verdict, row.command);
        EXPECT_EQ(c.signatureLabel.Caption(), row.english);
        EXPECT_EQ(c.signatureLabel.ForeColour() != text, row.standsOut);
        EXPECT_EQ(c.entryList.ItemFlagged(0), row.marked);
        EXPECT_EQ(c.entryList.Items()[0].find(L'!'), std::wstring::npos) << "the text is kept";
        RightClickChoosing(std::nullopt);
        EXPECT_EQ(detailsOffered, row.details);
        mainWindow.ApplyLanguage(ui::Language::Hungarian);
        EXPECT_EQ(c.signatureLabel.Caption(), row.hungarian);
        mainWindow.ApplyLanguage(ui::Language::English);
    }
    // A changed file in red, an untrusted one in another colour that stands out.
    ShowWith(platform::SignatureVerdict{SignatureKind::Changed, 0, std::nullopt});
    const Colour changed = c.signatureLabel.ForeColour();
    ShowWith(platform::SignatureVerdict{SignatureKind::NotTrusted, 0, TestSigner()});
    EXPECT_NE(c.signatureLabel.ForeColour(), changed);
    EXPECT_EQ(changed, Colour::Fixed(0x0000C0));
}

TEST_F(SignatureShown, TheDetailsBoxTellsTheCertificateAndWhereTheSignatureWasFound)
{
    platform::Signer fromCatalog = TestSigner(L"C:\\Windows\\catroot\\x.cat");
    fromCatalog.signedAt = 134412987000000000; // 2026-12-09 14:05
    Open(ui::Language::Hungarian);
    ShowWith(platform::SignatureVerdict{SignatureKind::NotTrusted, 0, fromCatalog});
    RightClickChoosing(kSignatureDetails);
    ShowWith(platform::SignatureVerdict{SignatureKind::Verified, 0, TestSigner()});
    mainWindow.ApplyLanguage(ui::Language::English);
    RightClickChoosing(kSignatureDetails);

    ASSERT_EQ(messageBox.shown.size(), 2u);
    std::wstring thumbprint = L"0F";
    for (int byte = 1; byte < 32; ++byte) {
        thumbprint += L"A5";
    }
    EXPECT_EQ(messageBox.shown[0].title, L"Tolvan");
    EXPECT_EQ(messageBox.shown[0].icon, platform::MessageIcon::Information);
    EXPECT_EQ(messageBox.shown[0].text,
              L"Aláíró: Test Signer (nem megbízható tanúsítvány)\r\n\r\n"
              L"Aláíró: Test Signer\r\n"
              L"Kibocsátó: Test CA\r\n"
              L"Aláírás ideje: 2026-12-09 14:05\r\n"
              L"Tanúsítvány érvényessége: 2020-01-01 00:00 – 2036-01-01 00:00\r\n"
              L"SHA-256 ujjlenyomat: " +
                  thumbprint +
                  L"\r\n"
                  L"Katalógus: C:\\Windows\\catroot\\x.cat");
    EXPECT_EQ(messageBox.shown[1].text,
              L"Signed by: Test Signer (verified)\r\n\r\n"
              L"Signer: Test Signer\r\n"
              L"Issued by: Test CA\r\n"
              L"Certificate valid from 2020-01-01 00:00 to 2036-01-01 00:00\r\n"
              L"SHA-256 thumbprint: " +
                  thumbprint +
                  L"\r\n"
                  L"The signature is in the file itself.");
}

} // namespace
} // namespace tolvan::test
