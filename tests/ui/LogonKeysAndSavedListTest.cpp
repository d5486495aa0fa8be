// The policy and RunOnce keys' entries in the main window, and the list saved to a file.
#include "MainWindowFixture.h"
#include "entries/EntrySwitches.h"
#include "support/TemporaryFolder.h"
#include "ui/layouts/EntryEditorLayout.h"

#include <fstream>
#include <iterator>

namespace tolvan::test {
namespace {

using entries::Scope;

// Reads CSV as RFC 4180 writes it: quoted fields may hold commas, quotes (doubled) and line
// breaks; rows end with CR LF.
std::vector<std::vector<std::string>> ReadCsv(std::string_view text)
{
    std::vector<std::vector<std::string>> rows(1);
    std::string field;
    bool quoted = false;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char ch = text[at];
        if (quoted) {
            if (ch == '"' && at + 1 < text.size() && text[at + 1] == '"') {
                field += '"';
                ++at;
            } else if (ch == '"') {
                quoted = false;
            } else {
                field += ch;
            }
        } else if (ch == '"') {
            quoted = true;
        } else if (ch == ',') {
            rows.back().push_back(std::exchange(field, {}));
        } else if (ch == '\r' && at + 1 < text.size() && text[at + 1] == '\n') {
            rows.back().push_back(std::exchange(field, {}));
            rows.emplace_back();
            ++at;
        } else {
            field += ch;
        }
    }
    rows.pop_back(); // after the last line end
    return rows;
}

class LogonKeysAndSavedList : public MainWindowFixture {
protected:
    LogonKeysAndSavedList()
    {
        drives.Map(L'S', folder.Path());
        environment.Set(L"COMPUTERNAME", L"GEP");
        clock.now = 134412987000000000; // 2026-12-09 14:05
    }

    // Saves the list as the user would, choosing this file and type; returns what was written.
    std::string SaveAs(const std::wstring& name, std::size_t type)
    {
        fileDialogs.saveAnswers.emplace_back(platform::SaveFileChoice{L"S:\\" + name, type});
        mainWindow.Form().RaiseSaveKey();
        std::ifstream in(folder.Path() / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    const TemporaryFolder folder;
    const ui::MainWindowControls& c = mainWindow.Controls();
};

TEST_F(LogonKeysAndSavedList, APolicyOrRunOnceEntryHasNoSwitchAndStaysInItsKey)
{
    PutRunValue(Scope::AllUsersPolicy, L"Policy", L"F:\\no_version.exe", platform::reg::kTypeSz);
    PutRunValue(Scope::AllUsersOnce32Bit, L"!Once", L"F:\\no_version.exe /x",
                platform::reg::kTypeSz);
    Open(ui::Language::Hungarian);
    const struct {
        const wchar_t* name;
        const wchar_t* scopeLine;
    } rows[] = {{L"!Once", L"Hatáskör: Összes felhasználó (egyszer, 32 bites)"},
                {L"Policy", L"Hatáskör: Összes felhasználó (házirend)"}};
    for (std::size_t row = 0; row < std::size(rows); ++row) {
        c.entryList.SetSelectedIndex(static_cast<std::ptrdiff_t>(row));
        EXPECT_EQ(c.nameField.Caption(), rows[row].name);
        EXPECT_EQ(c.scopeLabel.Caption(), rows[row].scopeLine);
        EXPECT_FALSE(c.switchButton.Enabled());
        windows.menuScript = [](std::span<const platform::window::MenuItem> items) {
            EXPECT_FALSE(items[1].enabled) << "Disable offered";
            return std::optional<std::size_t>();
        };
        c.entryList.RaiseContextMenu({static_cast<std::ptrdiff_t>(row), {1, 1}, false});
    }
    // The editor offers the entry's own key alone, named by its kind.
    windows.modalScript = [](platform::window::FormModel& form, platform::window::FormModel&) {
        const ui::EntryEditorControls editor(form);
        EXPECT_EQ(editor.allUsersOption.Caption(), L"Összes felhasználó (házirend)");
        EXPECT_TRUE(editor.allUsersOption.Checked());
        EXPECT_FALSE(editor.currentUserOption.Enabled());
        editor.cancelButton.RaiseClick();
    };
    c.editButton.RaiseClick();
}

TEST_F(LogonKeysAndSavedList, TheListIsSavedAsCsvOrAsAReportAndAFailedWriteIsTold)
{
    PutRunValue(platform::reg::kCurrentUser, L"Quoted, \"odd\"",
                L"F:\\no_version.exe \"a,b\"\r\nc");
    PutRunValue(Scope::CurrentUserOnce, L"*Once", L"F:\\missing.exe", platform::reg::kTypeSz);
    ASSERT_EQ(
        entries::WriteSwitch(registry, Scope::CurrentUser, L"Quoted, \"odd\"", true, clock.now), 0);
    Open();

    const std::string csv = SaveAs(L"list.csv", 0);
    ASSERT_EQ(fileDialogs.saves.size(), 1u);
    EXPECT_EQ(fileDialogs.saves[0].proposedName, L"tolvan-GEP-2026-12-09.csv");
    EXPECT_EQ(fileDialogs.saves[0].filters.size(), 2u);
    ASSERT_TRUE(csv.starts_with("\xEF\xBB\xBF")) << "no byte-order mark";
    const auto rows = ReadCsv(std::string_view(csv).substr(3));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"Scope", "Name", "Command", "Program", "Product",
                                                 "Description", "Company", "Disabled",
                                                 "Disabled since", "Signature", "Signer"}));
    // In the list's order, every field as the window has it.
    EXPECT_EQ(rows[1], (std::vector<std::string>{"Current user (once)", "*Once", "F:\\missing.exe",
                                                 "F:\\missing.exe", "", "", "", "no", "", "", ""}));
    EXPECT_EQ(rows[2],
              (std::vector<std::string>{"Current user", "Quoted, \"odd\"",
                                        "F:\\no_version.exe \"a,b\"\r\nc", "F:\\no_version.exe", "",
                                        "", "", "yes", "2026-12-09T14:05:00Z", "not signed", ""}));

    const std::string report = SaveAs(L"list.txt", 1);
    EXPECT_TRUE(report.starts_with("\xEF\xBB\xBF"
                                   "Programs Windows starts at logon: GEP, 2026-12-09 14:05\r\n"
                                   "\r\nName: *Once\r\nScope: Current user (once)\r\n"
                                   "Command: F:\\missing.exe\r\n"))
        << report;
    EXPECT_NE(report.find("Disabled: yes, 2026-12-09 14:05\r\nSignature: Not signed\r\n"),
              std::string::npos);
    EXPECT_TRUE(messageBox.shown.empty());

    // A folder that is not there: told with Windows' message, nothing written.
    SaveAs(L"gone\\list.csv", 0);
    ASSERT_EQ(messageBox.shown.size(), 1u);
    EXPECT_EQ(messageBox.shown[0].text,
              L"Can't save the list:\r\nThe system cannot find the path specified. (3)");
    EXPECT_EQ(messageBox.shown[0].icon, platform::MessageIcon::Error);
}

} // namespace
} // namespace tolvan::test
