// Who signed the selected entry's program, as the details panel, the list and the context menu
// show it, for every verdict and in both languages.
#include "MainWindowFixture.h"

namespace tolvan::test {
namespace {

using platform::SignatureKind;
using platform::SignatureVerdict;
using platform::window::Colour;

class SignatureShown : public MainWindowFixture {
protected:
    // Lists and selects an entry whose program has this verdict. A verdict is kept for as long
    // as the file stays as it is, so each call names the fixture by a drive of its own.
    void ShowWith(const SignatureVerdict& verdict, std::wstring_view file = L"no_version.exe")
    {
        const wchar_t drive = nextDrive_++;
        drives.Map(drive, std::filesystem::path(FixtureDirectory()));
        const std::wstring program = drive + (L":\\" + std::wstring(file));
        signatures.Set(program, verdict);
        PutRunValue(platform::reg::kCurrentUser, L"Program", program);
        mainWindow.RefillList();
        ListAllRows();
        c.entryList.SetSelectedIndex(0);
        windows.menuScript = [this](std::span<const platform::window::MenuItem> items) {
            detailsOffered = items[5].enabled;
            return std::optional<std::size_t>();
        };
        c.entryList.RaiseContextMenu({0, {10, 10}, false});
    }

    const ui::MainWindowControls& c = mainWindow.Controls();
    bool detailsOffered = false;

private:
    wchar_t nextDrive_ = L'G';
};

TEST_F(SignatureShown, EachVerdictHasItsLineColourMarkAndMenuItem)
{
    platform::Signer signer;
    signer.name = L"Test Signer";
    const Colour text = Colour::System(Colour::Kind::WindowText);
    const Colour red = Colour::Fixed(0x0000C0);
    const Colour brown = Colour::Fixed(0x0050B0);
    const struct {
        SignatureVerdict verdict;
        const wchar_t* file;
        const wchar_t* english;
        const wchar_t* hungarian;
        Colour colour;
        bool marked;
        bool details;
    } rows[] = {
        {{SignatureKind::Verified, 0, signer},
         L"no_version.exe",
         L"Signed by: Test Signer (verified)",
         L"Aláíró: Test Signer (ellenőrizve)",
         text,
         false,
         true},
        {{SignatureKind::NotTrusted, 0, signer},
         L"no_version.exe",
         L"Signed by: Test Signer (certificate not trusted)",
         L"Aláíró: Test Signer (nem megbízható tanúsítvány)",
         brown,
         true,
         true},
        {{SignatureKind::Changed, 0, std::nullopt},
         L"no_version.exe",
         L"Signature not valid: the file was changed",
         L"Az aláírás érvénytelen: a fájl megváltozott",
         red,
         true,
         true},
        {{}, L"no_version.exe", L"Not signed", L"Nincs aláírva", brown, false, false},
        {{SignatureKind::CannotCheck, 5, std::nullopt},
         L"no_version.exe",
         L"Signature can't be checked: Access is denied. (5)",
         L"Az aláírás nem ellenőrizhető: Access is denied. (5)",
         text,
         false,
         true},
        // No file, nothing to check.
        {{}, L"missing.exe", L"", L"", text, false, false},
    };
    Open();
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << std::filesystem::path(row.english).string());
        ShowWith(row.verdict, row.file);
        EXPECT_EQ(c.signatureLabel.Caption(), row.english);
        EXPECT_EQ(c.signatureLabel.ForeColour(), row.colour);
        EXPECT_EQ(c.entryList.ItemFlagged(0), row.marked);
        EXPECT_EQ(detailsOffered, row.details);
        mainWindow.ApplyLanguage(ui::Language::Hungarian);
        EXPECT_EQ(c.signatureLabel.Caption(), row.hungarian);
        mainWindow.ApplyLanguage(ui::Language::English);
    }
}

TEST_F(SignatureShown, TheDetailsBoxTellsTheTimestampAndTheCatalog)
{
    platform::Signer signer;
    signer.name = L"Test Signer";
    signer.issuer = L"Test CA";
    signer.validFrom = 132223104000000000;  // 2020-01-01 00:00
    signer.validUntil = 137272320000000000; // 2036-01-01 00:00
    signer.thumbprint.fill(std::byte{0xA5});
    signer.signedAt = 134412987000000000; // 2026-12-09 14:05
    signer.catalog = L"C:\\Windows\\catroot\\x.cat";
    Open();
    ShowWith({SignatureKind::NotTrusted, 0, signer});
    windows.menuScript = [](auto) { return std::optional<std::size_t>(5); };
    c.entryList.RaiseContextMenu({0, {10, 10}, false});
    ASSERT_EQ(messageBox.shown.size(), 1u);
    EXPECT_EQ(messageBox.shown[0].title, L"Tolvan");
    EXPECT_EQ(messageBox.shown[0].icon, platform::MessageIcon::Information);
    std::wstring thumbprint;
    for (int byte = 0; byte < 32; ++byte) {
        thumbprint += L"A5";
    }
    EXPECT_EQ(messageBox.shown[0].text,
              L"Signed by: Test Signer (certificate not trusted)\r\n\r\n"
              L"Signer: Test Signer\r\nIssued by: Test CA\r\nSigned on: 2026-12-09 14:05\r\n"
              L"Certificate valid from 2020-01-01 00:00 to 2036-01-01 00:00\r\n"
              L"SHA-256 thumbprint: " +
                  thumbprint + L"\r\nCatalog: C:\\Windows\\catroot\\x.cat");
}

} // namespace
} // namespace tolvan::test
