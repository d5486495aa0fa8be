// The main window's list and details panel: what the load leaves, what a selection shows and how
// a refill keeps the position.
#include "MainWindowFixture.h"

#include <chrono>
#include <fstream>
#include <iterator>

namespace tolvan::test {
namespace {

using platform::reg::kCurrentUser;
using platform::reg::kLocalMachine;

class MainWindowDetails : public MainWindowFixture {
protected:
    // Four entries of both scopes: a program with full version texts, one with a product name
    // only, one without a version resource and one whose file is missing.
    void PutSampleEntries()
    {
        PutRunValue(kLocalMachine, L"Full", L"F:\\full.exe /start");
        PutRunValue(kLocalMachine, L"Product", L"F:\\product_only.exe");
        PutRunValue(kCurrentUser, L"Bare", L"\"F:\\no_version.exe\" -q");
        PutRunValue(kCurrentUser, L"Gone", L"F:\\gone.exe");
    }

    // Selects the list item whose entry has this value name, as the user's click does.
    void Select(ui::frmTolvan& form, std::wstring_view name)
    {
        for (std::size_t i = 0; i < modTolvan::entries.size(); ++i) {
            if (modTolvan::entries[i].Name == name) {
                form.recList.SetListIndex(static_cast<int>(i));
                return;
            }
        }
        FAIL() << "no entry named " << std::string(name.begin(), name.end());
    }
};

TEST_F(MainWindowDetails, LoadShowsTheVersionAnEmptyPanelAndTheSortedList)
{
    PutSampleEntries();
    ui::frmTolvan& form = Open(1);

    EXPECT_EQ(form.lblVersion.Caption(), L"v1.2.1");
    // The texts were applied, yet no entry is on show, so the scope line stays empty.
    EXPECT_EQ(form.frReg.Caption(), L"Registry values");
    EXPECT_EQ(form.lblTopkey.Caption(), L"");
    EXPECT_EQ(form.lblDescr.Caption(), L"");
    EXPECT_EQ(form.recList.ListIndex(), -1);
    EXPECT_FALSE(form.ComEdit.Enabled());
    EXPECT_FALSE(form.ComDel.Enabled());
    EXPECT_FALSE(form.tmrLang.TimerEnabled());
    EXPECT_EQ(form.HoverState(), ui::frmTolvan::kHoverNone);

    ASSERT_EQ(form.recList.Items().size(), 4u);
    for (std::size_t i = 0; i < modTolvan::entries.size(); ++i) {
        EXPECT_EQ(form.recList.Items()[i], modTolvan::entries[i].DisplayText);
    }
    EXPECT_EQ(form.recList.Items()[3], L"Startup entry manager");
}

TEST_F(MainWindowDetails, VersionLabelReadsFirstSecondAndFourthPartOfTheFileVersion)
{
    versions.SetModule(L"tolvan.exe", L"F:\\details.exe");
    versions.SetRunningModule(L"tolvan.exe"); // 3.1.4.1
    EXPECT_EQ(Open(0).lblVersion.Caption(), L"v3.1.1");
}

TEST_F(MainWindowDetails, SelectionFillsThePanelAndEnablesEditAndDelete)
{
    PutSampleEntries();
    ui::frmTolvan& form = Open(1);
    Select(form, L"Full");

    EXPECT_TRUE(form.ComEdit.Enabled());
    EXPECT_TRUE(form.ComDel.Enabled());
    EXPECT_EQ(form.lblProduct.Caption(), L"Tolvan indítópult-kezelő");
    EXPECT_EQ(form.lblDescr.Caption(), L"Startup entry manager");
    EXPECT_EQ(form.lblCopyright.Caption(), L"Kavrenta");
    EXPECT_EQ(form.lblProduct.Tooltip(), L"Termék neve");
    EXPECT_EQ(form.lblDescr.Tooltip(), L"Program leírása");
    EXPECT_EQ(form.lblCopyright.Tooltip(), L"Gyártó");
    EXPECT_EQ(form.lblTopkey.Caption(), L"Scope: All users");
    EXPECT_EQ(form.lblRegName.Caption(), L"Full");
    EXPECT_EQ(form.lblRegValue.Caption(), L"F:\\full.exe /start");
    EXPECT_EQ(form.lblPath.Caption(), L"F:\\full.exe");
    EXPECT_EQ(form.lblPath.Tooltip(), L"F:\\full.exe");

    Select(form, L"Bare");
    EXPECT_EQ(form.lblTopkey.Caption(), L"Scope: Current user");
    EXPECT_EQ(form.lblPath.Tooltip(), L"F:\\no_version.exe");
    EXPECT_EQ(form.lblCopyright.Caption(), L"");
}

TEST_F(MainWindowDetails, ProductDescriptionAndCompanyFollowTheVersionTexts)
{
    PutRunValue(kLocalMachine, L"Only", L"F:\\no_version.exe");
    ui::frmTolvan& form = Open(0);
    ASSERT_EQ(modTolvan::entries.size(), 1u);

    struct Row {
        const wchar_t* product;
        const wchar_t* description;
        const wchar_t* shownProduct;
        const wchar_t* shownDescription;
    };
    const Row rows[] = {
        {L"Product", L"Description", L"Product", L"Description"},
        {L"Same", L"Same", L"", L"Same"},
        {L"same", L"Same", L"same", L"Same"}, // the comparison respects letter case
        {L"Product", L"", L"Product", L""},
        {L"", L"Description", L"", L"Description"},
        {L"", L"", L"", L"nem áll rendelkezésre információ"},
    };
    for (const Row& row : rows) {
        modTolvan::entries[0].ProductName = row.product;
        modTolvan::entries[0].FileDescription = row.description;
        modTolvan::entries[0].CompanyName = L"Maker";
        form.recList.SetListIndex(0);
        SCOPED_TRACE(testing::Message() << "row " << (&row - rows));
        EXPECT_EQ(form.lblProduct.Caption(), row.shownProduct);
        EXPECT_EQ(form.lblDescr.Caption(), row.shownDescription);
        EXPECT_EQ(form.lblCopyright.Caption(), L"Maker");
    }
}

TEST_F(MainWindowDetails, StatusTextsTellAMissingFileFromOneWithoutInformation)
{
    PutSampleEntries();
    PutRunValue(kCurrentUser, L"Empty", L"");
    for (const std::int32_t language : {0, 1}) {
        ui::frmTolvan& form = Open(language);
        SCOPED_TRACE(language);
        const bool english = language != 0;
        Select(form, L"Bare");
        EXPECT_EQ(form.lblDescr.Caption(),
                  english ? L"no information available" : L"nem áll rendelkezésre információ");
        EXPECT_EQ(form.lblProduct.Caption(), L"");
        Select(form, L"Gone");
        EXPECT_EQ(form.lblDescr.Caption(),
                  english ? L"file is missing" : L"a megadott fájl nem létezik");
        Select(form, L"Empty");
        EXPECT_EQ(form.lblDescr.Caption(),
                  english ? L"file is missing" : L"a megadott fájl nem létezik");
        windows.Unload(form.form());
    }
}

// Files named like programs that are not programs, on drive G:: an empty file, a text file and a
// program cut in half have no information; a folder is no file at all.
TEST_F(MainWindowDetails, FilesThatAreNotProgramsHaveNoInformationAndAFolderIsMissing)
{
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        ("tolvan-bad-files-" +
         std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
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

    for (const std::int32_t language : {0, 1}) {
        SCOPED_TRACE(language);
        ui::frmTolvan& form = Open(language);
        const std::wstring noInformation =
            language != 0 ? L"no information available" : L"nem áll rendelkezésre információ";
        for (const wchar_t* name : {L"empty", L"text", L"half"}) {
            Select(form, name);
            EXPECT_EQ(form.lblDescr.Caption(), noInformation);
            EXPECT_EQ(form.lblProduct.Caption(), L"");
        }
        Select(form, L"folder");
        EXPECT_EQ(form.lblDescr.Caption(),
                  language != 0 ? L"file is missing" : L"a megadott fájl nem létezik");
        windows.Unload(form.form());
    }
    EXPECT_TRUE(messageBox.shown.empty());
    std::filesystem::remove_all(folder);
}

// A Run key that is not there, or that may not be read, leaves the other root's entries listed
// and is not mentioned to the user.
TEST_F(MainWindowDetails, AMissingOrUnreadableRunKeyLeavesTheOtherRootListedSilently)
{
    PutRunValue(kLocalMachine, L"Full", L"F:\\full.exe /start");
    PutRunValue(kLocalMachine, L"Gone", L"F:\\gone.exe");
    ui::frmTolvan& form = Open(1);
    EXPECT_EQ(form.recList.Items().size(), 2u);
    windows.Unload(form.form());

    PutRunValue(kCurrentUser, L"Bare", L"F:\\no_version.exe");
    registry.DenyAccess(kCurrentUser, modRegistry::kRunKeyPath);
    ui::frmTolvan& again = Open(1);
    ASSERT_EQ(again.recList.Items().size(), 2u);
    for (const modTolvan::RunEntry& entry : modTolvan::entries) {
        EXPECT_EQ(entry.TopKey, kLocalMachine);
    }
    EXPECT_TRUE(messageBox.shown.empty());
}

TEST_F(MainWindowDetails, LanguageSwitchRewritesTheScopeButNotTheStatusText)
{
    PutSampleEntries();
    ui::frmTolvan& form = Open(0);
    Select(form, L"Gone");
    EXPECT_EQ(form.lblTopkey.Caption(), L"Hatáskör: Jelenlegi felhasználó");
    EXPECT_EQ(form.lblDescr.Caption(), L"a megadott fájl nem létezik");

    form.ApplyLanguage(1);
    EXPECT_EQ(form.lblTopkey.Caption(), L"Scope: Current user");
    EXPECT_EQ(form.lblDescr.Caption(), L"a megadott fájl nem létezik");
    EXPECT_EQ(form.lblTitle.Caption(), form.form().Caption());

    Select(form, L"Gone");
    EXPECT_EQ(form.lblDescr.Caption(), L"file is missing");
    Select(form, L"Product");
    form.ApplyLanguage(0);
    EXPECT_EQ(form.lblTopkey.Caption(), L"Hatáskör: Összes felhasználó");
    EXPECT_EQ(form.lblTitle.Caption(), L"Windows indulásakor induló programok");
}

TEST_F(MainWindowDetails, RefillKeepsThePositionLoweredToTheLastItem)
{
    PutRunValue(kLocalMachine, L"A1", L"F:\\a1.exe");
    PutRunValue(kLocalMachine, L"A2", L"F:\\a2.exe");
    PutRunValue(kCurrentUser, L"A3", L"F:\\a3.exe");
    PutRunValue(kLocalMachine, L"A4", L"F:\\a4.exe");
    PutRunValue(kLocalMachine, L"A5", L"F:\\a5.exe");
    ui::frmTolvan& form = Open(1);
    form.recList.SetListIndex(1);
    EXPECT_EQ(form.lblRegName.Caption(), L"A2");

    // The position stays, whichever entry now stands there.
    RemoveRunValue(kLocalMachine, L"A1");
    form.RefreshList();
    EXPECT_EQ(form.recList.ListIndex(), 1);
    EXPECT_EQ(form.lblRegName.Caption(), L"A3");
    EXPECT_EQ(form.lblTopkey.Caption(), L"Scope: Current user");

    form.recList.SetListIndex(3);
    EXPECT_EQ(form.lblRegName.Caption(), L"A5");
    RemoveRunValue(kLocalMachine, L"A5");
    form.RefreshList();
    ASSERT_EQ(form.recList.Items().size(), 3u);
    EXPECT_EQ(form.recList.ListIndex(), 2);
    EXPECT_EQ(form.lblRegName.Caption(), L"A4");
    EXPECT_EQ(form.lblPath.Caption(), L"F:\\a4.exe");
}

TEST_F(MainWindowDetails, EmptiedListLeavesThePanelAndTheButtons)
{
    PutRunValue(kCurrentUser, L"Last", L"F:\\full.exe");
    ui::frmTolvan& form = Open(1);
    form.recList.SetListIndex(0);
    RemoveRunValue(kCurrentUser, L"Last");
    form.RefreshList();

    EXPECT_TRUE(form.recList.Items().empty());
    EXPECT_EQ(form.recList.ListIndex(), -1);
    EXPECT_EQ(form.lblRegName.Caption(), L"Last");
    EXPECT_EQ(form.lblDescr.Caption(), L"Startup entry manager");
    EXPECT_EQ(form.lblTopkey.Caption(), L"Scope: Current user");
    EXPECT_TRUE(form.ComEdit.Enabled());
    EXPECT_TRUE(form.ComDel.Enabled());
}

TEST_F(MainWindowDetails, RefillWithNothingSelectedSelectsNothing)
{
    PutSampleEntries();
    ui::frmTolvan& form = Open(0);
    form.RefreshList();
    EXPECT_EQ(form.recList.ListIndex(), -1);
    EXPECT_EQ(form.lblRegName.Caption(), L"");
    EXPECT_FALSE(form.ComEdit.Enabled());
}

} // namespace
} // namespace tolvan::test
