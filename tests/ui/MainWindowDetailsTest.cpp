// The main window's list and details panel: what the load leaves, what a selection shows and how
// a refill keeps the position.
#include "MainWindowFixture.h"
#include "entries/EntrySwitches.h"
#include "support/SyntheticPe.h"
#include "support/TemporaryFolder.h"
#include "support/VersionTreeBuilder.h"

#include <chrono>
#include <fstream>
#include <iterator>

namespace tolvan::test {
namespace {

using platform::reg::kCurrentUser;
using platform::reg::kLocalMachine;
using ui::Language;

class MainWindowDetails : public MainWindowFixture {
protected:
    const ui::MainWindowControls& c = mainWindow.Controls();

    // Four entries of both scopes: a program with full version texts, one with a product name
    // only, one without a version resource and one whose file is missing.
    void PutSampleEntries()
    {
        PutRunValue(kLocalMachine, L"Full", L"F:\\full.exe /start");
        PutRunValue(kLocalMachine, L"Product", L"F:\\product_only.exe");
        PutRunValue(kCurrentUser, L"Bare", L"\"F:\\no_version.exe\" -q");
        PutRunValue(kCurrentUser, L"Gone", L"F:\\gone.exe");
    }
};

TEST_F(MainWindowDetails, LoadShowsTheVersionAnEmptyPanelAndTheSortedList)
{
    PutSampleEntries();
    ui::MainWindow& form = Open(Language::English);

    EXPECT_EQ(c.versionLabel.Caption(), L"v1.2.1");
    // The texts were applied, yet no entry is on show, so the scope line stays empty.
    EXPECT_EQ(c.registryFrame.Caption(), L"Registry values");
    EXPECT_EQ(c.scopeLabel.Caption(), L"");
    EXPECT_EQ(c.descriptionLabel.Caption(), L"");
    EXPECT_EQ(c.entryList.SelectedIndex(), -1);
    EXPECT_FALSE(c.editButton.Enabled());
    EXPECT_FALSE(c.deleteButton.Enabled());
    EXPECT_FALSE(c.hoverTimer.TimerEnabled());
    EXPECT_EQ(form.Hover(), ui::MainWindow::HoverTarget::None);

    ASSERT_EQ(c.entryList.Items().size(), 4u);
    for (std::size_t i = 0; i < table.Count(); ++i) {
        EXPECT_EQ(c.entryList.Items()[i], table.Entries()[i].displayText);
    }
    EXPECT_EQ(c.entryList.Items()[3], L"Startup entry manager");
}

TEST_F(MainWindowDetails, VersionLabelReadsFirstSecondAndFourthPartOfTheFileVersion)
{
    versions.SetModule(L"tolvan.exe", L"F:\\details.exe");
    versions.SetRunningModule(L"tolvan.exe"); // 3.1.4.1
    EXPECT_EQ(Open(Language::Hungarian).Controls().versionLabel.Caption(), L"v3.1.1");
}

TEST_F(MainWindowDetails, SelectionFillsThePanelAndEnablesEditAndDelete)
{
    PutSampleEntries();
    Open(Language::English);
    SelectListed(L"Full");

    EXPECT_TRUE(c.editButton.Enabled());
    EXPECT_TRUE(c.deleteButton.Enabled());
    EXPECT_EQ(c.productLabel.Caption(), L"Tolvan indítópult-kezelő");
    EXPECT_EQ(c.descriptionLabel.Caption(), L"Startup entry manager");
    EXPECT_EQ(c.makerLabel.Caption(), L"Kavrenta");
    EXPECT_EQ(c.productLabel.Tooltip(), L"Termék neve");
    EXPECT_EQ(c.descriptionLabel.Tooltip(), L"Program leírása");
    EXPECT_EQ(c.makerLabel.Tooltip(), L"Gyártó");
    EXPECT_EQ(c.scopeLabel.Caption(), L"Scope: All users");
    EXPECT_EQ(c.nameField.Caption(), L"Full");
    EXPECT_EQ(c.valueField.Caption(), L"F:\\full.exe /start");
    EXPECT_EQ(c.programPathField.Caption(), L"F:\\full.exe");
    EXPECT_EQ(c.programPathField.Tooltip(), L"F:\\full.exe");

    SelectListed(L"Bare");
    EXPECT_EQ(c.scopeLabel.Caption(), L"Scope: Current user");
    EXPECT_EQ(c.programPathField.Tooltip(), L"F:\\no_version.exe");
    EXPECT_EQ(c.makerLabel.Caption(), L"");
}

TEST_F(MainWindowDetails, ProductDescriptionAndCompanyFollowTheVersionTexts)
{
    struct Row {
        std::u16string product;
        std::u16string description;
        const wchar_t* shownProduct;
        const wchar_t* shownDescription;
    };
    const std::vector<Row> rows = {
        {u"Product", u"Description", L"Product", L"Description"},
        {u"Same", u"Same", L"", L"Same"},
        {u"same", u"Same", L"same", L"Same"}, // the comparison respects letter case
        {u"Product", u"", L"Product", L""},
        {u"", u"Description", L"", L"Description"},
        {u"", u"", L"", L"nem áll rendelkezésre információ"},
    };
    // One program per row, each with a maker, named after its row so that the list keeps their
    // order.
    const TemporaryFolder folder;
    drives.Map(L'H', folder.Path());
    for (std::size_t k = 0; k < rows.size(); ++k) {
        std::vector<TreeNode> strings{TextValue(u"CompanyName", u"Maker")};
        if (!rows[k].product.empty()) {
            strings.push_back(TextValue(u"ProductName", rows[k].product));
        }
        if (!rows[k].description.empty()) {
            strings.push_back(TextValue(u"FileDescription", rows[k].description));
        }
        const std::vector<std::byte> resource =
            Serialize(UsualRoot(u"040904B0", std::move(strings), Le32(0x04B00409)));
        const SyntheticPe program = BuildPe(resource, true);
        const std::string file = "row" + std::to_string(k) + ".exe";
        std::ofstream(folder.Path() / file, std::ios::binary)
            .write(reinterpret_cast<const char*>(program.bytes.data()),
                   static_cast<std::streamsize>(program.bytes.size()));
        PutRunValue(kLocalMachine, L"row" + std::to_wstring(k),
                    L"H:\\row" + std::to_wstring(k) + L".exe");
    }
    Open(Language::Hungarian);
    ASSERT_EQ(table.Count(), rows.size());
    for (std::size_t k = 0; k < rows.size(); ++k) {
        SCOPED_TRACE(testing::Message() << "row " << k);
        SelectListed(L"row" + std::to_wstring(k));
        EXPECT_EQ(c.productLabel.Caption(), rows[k].shownProduct);
        EXPECT_EQ(c.descriptionLabel.Caption(), rows[k].shownDescription);
        EXPECT_EQ(c.makerLabel.Caption(), L"Maker");
    }
}

TEST_F(MainWindowDetails, StatusTextsTellAMissingFileFromOneWithoutInformation)
{
    PutSampleEntries();
    PutRunValue(kCurrentUser, L"Empty", L"");
    for (const Language speaking : {Language::Hungarian, Language::English}) {
        ui::MainWindow& form = Open(speaking);
        const bool english = speaking == Language::English;
        SCOPED_TRACE(english);
        SelectListed(L"Bare");
        EXPECT_EQ(c.descriptionLabel.Caption(),
                  english ? L"no information available" : L"nem áll rendelkezésre információ");
        EXPECT_EQ(c.productLabel.Caption(), L"");
        SelectListed(L"Gone");
        EXPECT_EQ(c.descriptionLabel.Caption(),
                  english ? L"file is missing" : L"a megadott fájl nem létezik");
        SelectListed(L"Empty");
        EXPECT_EQ(c.descriptionLabel.Caption(),
                  english ? L"file is missing" : L"a megadott fájl nem létezik");
        windows.Unload(form.Form());
    }
}

// Files named like programs that are not programs, on drive G:: an empty file, a text file and a
// program cut in half have no information; a folder is no file at all.
TEST_F(MainWindowDetails, FilesThatAreNotProgramsHaveNoInformationAndAFolderIsMissing)
{
    const TemporaryFolder temporary;
    const std::filesystem::path& folder = temporary.Path();
    std::filesystem::create_directories(folder / "x.exe");
    std::ofstream(folder / "empty.exe").close();
    std::ofstream(folder / "text.exe") << "This is a text file, not a program.\n";
    {
        std::ifstream program(std::filesystem::path(FixtureFile(L"full.exe")), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(program)),
                                std::istreambuf_iterator<char>());
        std::ofstream(folder / "half.exe", std::ios::binary) << bytes.substr(0, bytes.size() / 2);
    }
    drives.Map(L'G', folder);
    PutRunValue(kCurrentUser, L"empty", L"G:\\empty.exe");
    PutRunValue(kCurrentUser, L"text", L"\"G:\\text.exe\" /x");
    PutRunValue(kLocalMachine, L"half", L"G:\\half.exe");
    PutRunValue(kLocalMachine, L"folder", L"G:\\x.exe");

    for (const Language speaking : {Language::Hungarian, Language::English}) {
        const bool english = speaking == Language::English;
        SCOPED_TRACE(english);
        ui::MainWindow& form = Open(speaking);
        const std::wstring noInformation =
            english ? L"no information available" : L"nem áll rendelkezésre információ";
        for (const wchar_t* name : {L"empty", L"text", L"half"}) {
            SelectListed(name);
            EXPECT_EQ(c.descriptionLabel.Caption(), noInformation);
            EXPECT_EQ(c.productLabel.Caption(), L"");
        }
        SelectListed(L"folder");
        EXPECT_EQ(c.descriptionLabel.Caption(),
                  english ? L"file is missing" : L"a megadott fájl nem létezik");
        windows.Unload(form.Form());
    }
    EXPECT_TRUE(messageBox.shown.empty());
}

// A source that cannot be read leaves the others listed and is told in one box over the main
// window, naming it as the scope line does with Windows' message; not again at every refill, but
// again after F5 or once what fails changes. An entry whose switch cannot be read says so.
TEST_F(MainWindowDetails, AnUnreadableSourceIsToldOnceUntilItChangesOrF5)
{
    PutRunValue(kLocalMachine, L"Full", L"F:\\full.exe /start");
    PutRunValue(kCurrentUser, L"Bare", L"F:\\no_version.exe");
    registry.DenyAccess(kCurrentUser, entries::kRunKeyPath);
    ui::MainWindow& form = Open(Language::English);
    ASSERT_EQ(c.entryList.Items().size(), 1u);
    EXPECT_TRUE(messageBox.shown.empty()) << "told before the window shows";
    c.readingTimer.RaiseTimer();
    ASSERT_EQ(messageBox.shown.size(), 1u);
    EXPECT_EQ(messageBox.shown[0].title, L"Error");
    EXPECT_EQ(messageBox.shown[0].icon, platform::MessageIcon::Error);
    EXPECT_EQ(messageBox.shown[0].owner, windows.Handle(form.Form()));
    EXPECT_EQ(messageBox.shown[0].text, L"The list is not complete: not everything can be "
                                        L"read:\r\n\r\nCurrent user: Access is denied. (5)");

    const auto refillThen = [&](const std::function<void()>& refill, std::size_t boxes) {
        refill();
        ListAllRows();
        c.readingTimer.RaiseTimer();
        EXPECT_EQ(messageBox.shown.size(), boxes);
    };
    const auto liveRefill = [&] {
        changeWatch.Change();
        c.refillTimer.RaiseTimer();
    };
    refillThen(liveRefill, 1);
    refillThen([&] { form.Form().RaiseRefillKey(); }, 2);
    registry.DenyAccess(kLocalMachine, entries::kRunSwitchesKeyPath);
    refillThen(liveRefill, 3);
    EXPECT_NE(messageBox.shown[2].text.find(L"All users, the entries' state: Access is denied."),
              std::wstring::npos);
    SelectListed(L"Full");
    EXPECT_EQ(c.scopeLabel.Caption(), L"Scope: All users, state unreadable");
    form.ApplyLanguage(Language::Hungarian);
    EXPECT_EQ(c.scopeLabel.Caption(), L"Hatáskör: Összes felhasználó, állapota nem olvasható");
}

TEST_F(MainWindowDetails, LanguageSwitchRewritesTheScopeButNotTheStatusText)
{
    PutSampleEntries();
    ui::MainWindow& form = Open(Language::Hungarian);
    SelectListed(L"Gone");
    EXPECT_EQ(c.scopeLabel.Caption(), L"Hatáskör: Jelenlegi felhasználó");
    EXPECT_EQ(c.descriptionLabel.Caption(), L"a megadott fájl nem létezik");

    form.ApplyLanguage(Language::English);
    EXPECT_EQ(c.scopeLabel.Caption(), L"Scope: Current user");
    EXPECT_EQ(c.descriptionLabel.Caption(), L"a megadott fájl nem létezik");
    EXPECT_EQ(c.titleLabel.Caption(), form.Form().Caption());

    SelectListed(L"Gone");
    EXPECT_EQ(c.descriptionLabel.Caption(), L"file is missing");
    SelectListed(L"Product");
    form.ApplyLanguage(Language::Hungarian);
    EXPECT_EQ(c.scopeLabel.Caption(), L"Hatáskör: Összes felhasználó");
    EXPECT_EQ(c.titleLabel.Caption(), L"Windows indulásakor induló programok");
}

TEST_F(MainWindowDetails, RefillKeepsThePositionLoweredToTheLastItem)
{
    PutRunValue(kLocalMachine, L"A1", L"F:\\a1.exe");
    PutRunValue(kLocalMachine, L"A2", L"F:\\a2.exe");
    PutRunValue(kCurrentUser, L"A3", L"F:\\a3.exe");
    PutRunValue(kLocalMachine, L"A4", L"F:\\a4.exe");
    PutRunValue(kLocalMachine, L"A5", L"F:\\a5.exe");
    ui::MainWindow& form = Open(Language::English);
    c.entryList.SetSelectedIndex(1);
    EXPECT_EQ(c.nameField.Caption(), L"A2");

    // The position stays, whichever entry now stands there.
    RemoveRunValue(kLocalMachine, L"A1");
    form.RefillList();
    EXPECT_EQ(c.entryList.SelectedIndex(), 1);
    EXPECT_EQ(c.nameField.Caption(), L"A3");
    EXPECT_EQ(c.scopeLabel.Caption(), L"Scope: Current user");

    c.entryList.SetSelectedIndex(3);
    EXPECT_EQ(c.nameField.Caption(), L"A5");
    RemoveRunValue(kLocalMachine, L"A5");
    form.RefillList();
    ASSERT_EQ(c.entryList.Items().size(), 3u);
    EXPECT_EQ(c.entryList.SelectedIndex(), 2);
    EXPECT_EQ(c.nameField.Caption(), L"A4");
    EXPECT_EQ(c.programPathField.Caption(), L"F:\\a4.exe");
}

TEST_F(MainWindowDetails, EmptiedListLeavesThePanelAndTheButtons)
{
    PutRunValue(kCurrentUser, L"Last", L"F:\\full.exe");
    ui::MainWindow& form = Open(Language::English);
    c.entryList.SetSelectedIndex(0);
    RemoveRunValue(kCurrentUser, L"Last");
    form.RefillList();

    EXPECT_TRUE(c.entryList.Items().empty());
    EXPECT_EQ(c.entryList.SelectedIndex(), -1);
    EXPECT_EQ(c.nameField.Caption(), L"Last");
    EXPECT_EQ(c.descriptionLabel.Caption(), L"Startup entry manager");
    EXPECT_EQ(c.scopeLabel.Caption(), L"Scope: Current user");
    EXPECT_TRUE(c.editButton.Enabled());
    EXPECT_TRUE(c.deleteButton.Enabled());
}

TEST_F(MainWindowDetails, RefillWithNothingSelectedSelectsNothing)
{
    PutSampleEntries();
    ui::MainWindow& form = Open(Language::Hungarian);
    form.RefillList();
    EXPECT_EQ(c.entryList.SelectedIndex(), -1);
    EXPECT_EQ(c.nameField.Caption(), L"");
    EXPECT_FALSE(c.editButton.Enabled());
}

} // namespace
} // namespace tolvan::test
