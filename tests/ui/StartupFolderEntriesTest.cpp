// The files of the two Startup folders as entries: what is listed and how, their switches, and
// Edit, Delete and the switch on them, over folders on a host drive.
#include "MainWindowFixture.h"
#include "entries/EntrySwitches.h"
#include "ui/layouts/EntryEditorLayout.h"

#include <filesystem>
#include <fstream>
#include <random>

namespace tolvan::test {
namespace {

using entries::Scope;
using platform::Shortcut;

constexpr std::wstring_view kUserFolder = L"C:\\Users\\Tolvan\\Startup";
constexpr std::wstring_view kCommonFolder = L"C:\\ProgramData\\Startup";

// A folder of its own under the host's temporary folder, standing for drive C:.
std::filesystem::path FreshDrive()
{
    std::random_device seed;
    return std::filesystem::temp_directory_path() /
           ("tolvan-folders-" + std::to_string(seed()) + std::to_string(seed()));
}

class StartupFolderEntries : public MainWindowFixture {
public:
    StartupFolderEntries() : root_(FreshDrive())
    {
        std::filesystem::create_directories(root_ / "Users" / "Tolvan" / "Startup");
        std::filesystem::create_directories(root_ / "ProgramData" / "Startup");
        std::filesystem::create_directories(root_ / "Recycled");
        drives.Map(L'C', root_);
        startupFolders.userFolder = std::wstring(kUserFolder);
        startupFolders.commonFolder = std::wstring(kCommonFolder);
        startupFolders.recycleBin = root_ / "Recycled";
    }
    ~StartupFolderEntries() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    StartupFolderEntries(const StartupFolderEntries&) = delete;
    StartupFolderEntries& operator=(const StartupFolderEntries&) = delete;

protected:
    std::filesystem::path Host(std::wstring_view folder, std::wstring_view file) const
    {
        return root_ / (folder == kUserFolder ? "Users/Tolvan/Startup" : "ProgramData/Startup") /
               std::filesystem::path(std::wstring(file));
    }
    void PutFile(std::wstring_view folder, std::wstring_view file, const std::string& bytes)
    {
        std::ofstream(Host(folder, file), std::ios::binary) << bytes;
    }
    void PutShortcut(std::wstring_view folder, std::wstring_view file, const Shortcut& shortcut)
    {
        PutFile(folder, file, platform::portable::ShortcutFileText(shortcut));
    }
    std::optional<Shortcut> StoredShortcut(std::wstring_view folder, std::wstring_view file)
    {
        return startupFolders.ReadShortcut(std::wstring(folder) + L"\\" + std::wstring(file));
    }
    bool Exists(std::wstring_view folder, std::wstring_view file) const
    {
        return std::filesystem::exists(Host(folder, file));
    }
    std::vector<std::byte> StoredSwitch(Scope scope, const platform::NulTerminated& name)
    {
        std::uint32_t type = 0;
        std::vector<std::byte> data;
        if (registry::ReadValue(registry, entries::SwitchKeyOf(scope), name, type, data) != 0) {
            return {};
        }
        return data;
    }
    const entries::StartupEntry& Listed(const platform::NulTerminated& name)
    {
        for (const entries::StartupEntry& entry : table.Entries()) {
            if (entry.name == name) {
                return entry;
            }
        }
        ADD_FAILURE() << "not listed: " << ToUtf8(name);
        static const entries::StartupEntry kNone;
        return kNone;
    }
    // Lets `user` act in the editor the next command opens; then Save.
    void SaveInEditor(std::function<void(const ui::EntryEditorControls&)> user)
    {
        windows.modalScript = [user = std::move(user)](const platform::window::FormModel& editor,
                                                       platform::window::FormModel&) {
            const ui::EntryEditorControls c(editor);
            user(c);
            c.saveButton.RaiseClick();
        };
    }

    const ui::MainWindowControls& c = mainWindow.Controls();

private:
    std::filesystem::path root_;
};

TEST_F(StartupFolderEntries, FilesAreListedWithTheirCommandsScopesAndSwitches)
{
    PutShortcut(kUserFolder, L"Mintaprogram.lnk", {L"F:\\details.exe", L"/tray"});
    PutShortcut(kUserFolder, L"Bare.LNK", {L"F:\\no_version.exe", L""});
    PutShortcut(kCommonFolder, L"Spaced.lnk", {L"C:\\Program Files\\Gone\\gone.exe", L"-x"});
    PutFile(kCommonFolder, L"notes.txt", "text");
    PutFile(kCommonFolder, L"Broken.lnk", std::string{'L', '\0', '\0', '\0', 'g', 'a', 'r', 'b'});
    PutFile(kUserFolder, L"desktop.ini", "[.ShellClassInfo]");
    // Hidden or system, either alone is enough to leave a file out.
    for (const auto& [name, hidden] : {std::pair{L"hidden.lnk", true}, {L"system.lnk", false}}) {
        PutShortcut(kUserFolder, name, {L"F:\\details.exe", L""});
        startupFolders.SetAttributes(std::wstring(kUserFolder) + L"\\" + name, hidden, !hidden);
    }
    startupFolders.SetAttributes(std::wstring(kUserFolder) + L"\\desktop.ini", true, true);
    std::filesystem::create_directories(Host(kUserFolder, L"A folder"));
    ASSERT_EQ(entries::WriteSwitch(registry, Scope::CurrentUserStartupFolder, L"Bare.LNK", true,
                                   clock.now),
              0);
    Open(ui::Language::Hungarian);

    EXPECT_EQ(ListedNames(), (std::vector<std::wstring>{L"Bare", L"Broken", L"Mintaprogram",
                                                        L"notes.txt", L"Spaced"}))
        << "sorted by their lines, hidden files and folders left out";
    EXPECT_EQ(Listed(L"Mintaprogram").command, L"F:\\details.exe /tray");
    EXPECT_EQ(Listed(L"Mintaprogram").description, L"Mintaprogram árvíztűrő tükörfúrógép");
    EXPECT_EQ(Listed(L"Bare").command, L"F:\\no_version.exe");
    EXPECT_TRUE(Listed(L"Bare").switchedOff) << "switch named by the file name with its extension";
    EXPECT_FALSE(Listed(L"Mintaprogram").switchedOff);
    EXPECT_EQ(Listed(L"Spaced").command, L"\"C:\\Program Files\\Gone\\gone.exe\" -x");
    EXPECT_EQ(Listed(L"Spaced").programPath, L"C:\\Program Files\\Gone\\gone.exe");
    EXPECT_EQ(Listed(L"notes.txt").command, L"C:\\ProgramData\\Startup\\notes.txt");
    EXPECT_EQ(Listed(L"Broken").command, L"");

    SelectListed(L"Spaced");
    EXPECT_EQ(c.scopeLabel.Caption(), L"Hatáskör: Összes felhasználó (Indítópult mappa)");
    EXPECT_EQ(c.descriptionLabel.Caption(), L"a megadott fájl nem létezik");
    EXPECT_EQ(c.nameField.Caption(), L"Spaced");
    EXPECT_EQ(c.valueField.Caption(), L"\"C:\\Program Files\\Gone\\gone.exe\" -x");
    mainWindow.ApplyLanguage(ui::Language::English);
    EXPECT_EQ(c.scopeLabel.Caption(), L"Scope: All users (Startup folder)");
    SelectListed(L"Mintaprogram");
    EXPECT_EQ(c.scopeLabel.Caption(), L"Scope: Current user (Startup folder)");

    // Both folders and the folders' switch keys are watched.
    EXPECT_EQ(changeWatch.watchedFolders,
              (std::vector<std::wstring>{std::wstring(kUserFolder), std::wstring(kCommonFolder)}));
}

TEST_F(StartupFolderEntries, EditRetargetsRenamesAndMovesTheShortcutWithItsSwitch)
{
    PutShortcut(kUserFolder, L"Minta.lnk", {L"F:\\details.exe", L"/tray"});
    ASSERT_EQ(entries::WriteSwitch(registry, Scope::CurrentUserStartupFolder, L"Minta.lnk", true,
                                   clock.now),
              0);
    const std::vector<std::byte> off = StoredSwitch(Scope::CurrentUserStartupFolder, L"Minta.lnk");
    Open();

    // The command: target and arguments split by the tool's own rules.
    SelectListed(L"Minta");
    SaveInEditor([](const ui::EntryEditorControls& e) {
        e.valueBox.SetCaption(L"\"F:\\no_version.exe\" --quiet now");
    });
    c.editButton.RaiseClick();
    EXPECT_EQ(StoredShortcut(kUserFolder, L"Minta.lnk"),
              (Shortcut{L"F:\\no_version.exe", L"--quiet now"}));

    // Renamed, and moved to the other folder: the switch goes along.
    SelectListed(L"Minta");
    SaveInEditor([](const ui::EntryEditorControls& e) {
        e.nameBox.SetCaption(L"Közös");
        e.allUsersOption.SetChecked(true);
    });
    c.editButton.RaiseClick();
    EXPECT_TRUE(messageBox.shown.empty());
    EXPECT_FALSE(Exists(kUserFolder, L"Minta.lnk"));
    EXPECT_EQ(StoredShortcut(kCommonFolder, L"Közös.lnk"),
              (Shortcut{L"F:\\no_version.exe", L"--quiet now"}));
    EXPECT_TRUE(StoredSwitch(Scope::CurrentUserStartupFolder, L"Minta.lnk").empty());
    EXPECT_EQ(StoredSwitch(Scope::AllUsersStartupFolder, L"Közös.lnk"), off);
    EXPECT_EQ(Listed(L"Közös").scope, Scope::AllUsersStartupFolder);
    EXPECT_TRUE(Listed(L"Közös").switchedOff);

    // A rename onto a file that exists asks first: No changes nothing, command included, and
    // keeps the editor open; Yes sends the other file to the Recycle Bin, and its switch goes.
    PutShortcut(kCommonFolder, L"Taken.lnk", {L"F:\\full.exe", L""});
    messageBox.answers = {platform::MessageAnswer::No, platform::MessageAnswer::Yes};
    SelectListed(L"Közös");
    windows.modalScript = [this](const platform::window::FormModel& editor,
                                 platform::window::FormModel&) {
        const ui::EntryEditorControls e(editor);
        e.nameBox.SetCaption(L"taken");
        e.valueBox.SetCaption(L"F:\\full.exe");
        e.saveButton.RaiseClick();
        EXPECT_TRUE(editor.Loaded());
        EXPECT_EQ(StoredShortcut(kCommonFolder, L"Közös.lnk"),
                  (Shortcut{L"F:\\no_version.exe", L"--quiet now"}));
        EXPECT_EQ(StoredShortcut(kCommonFolder, L"Taken.lnk"), (Shortcut{L"F:\\full.exe", L""}));
        e.saveButton.RaiseClick();
    };
    c.editButton.RaiseClick();
    ASSERT_EQ(messageBox.shown.size(), 2u);
    EXPECT_EQ(
        messageBox.shown[1].text,
        L"An entry named \"taken\" already exists in All users (Startup folder). Replace it?");
    EXPECT_EQ(StoredShortcut(kCommonFolder, L"taken.lnk"), (Shortcut{L"F:\\full.exe", L""}));
    EXPECT_EQ(startupFolders.recycled,
              std::vector<std::wstring>{std::wstring(kCommonFolder) + L"\\Taken (2).lnk"});
    EXPECT_EQ(StoredSwitch(Scope::AllUsersStartupFolder, L"taken.lnk"), off);
    EXPECT_EQ(ListedNames(), std::vector<std::wstring>{L"taken"});
}

TEST_F(StartupFolderEntries, DeleteRecyclesTheFileAndOtherFilesCannotBeEdited)
{
    PutShortcut(kCommonFolder, L"Minta.lnk", {L"F:\\details.exe", L""});
    PutFile(kCommonFolder, L"run.cmd", "@echo off");
    ASSERT_EQ(
        entries::WriteSwitch(registry, Scope::AllUsersStartupFolder, L"Minta.lnk", true, clock.now),
        0);
    Open();

    SelectListed(L"run.cmd");
    c.editButton.RaiseClick();
    EXPECT_EQ(windows.ModalShowings(), 0) << "the editor opened on a file that is no shortcut";
    ASSERT_EQ(messageBox.shown.size(), 1u);
    EXPECT_EQ(messageBox.shown[0].text, L"This item can't be edited.");

    SelectListed(L"Minta");
    c.switchButton.RaiseClick();
    EXPECT_FALSE(Listed(L"Minta").switchedOff);
    c.deleteButton.RaiseClick();
    EXPECT_FALSE(Exists(kCommonFolder, L"Minta.lnk"));
    EXPECT_EQ(startupFolders.recycled,
              std::vector<std::wstring>{std::wstring(kCommonFolder) + L"\\Minta.lnk"});
    EXPECT_TRUE(StoredSwitch(Scope::AllUsersStartupFolder, L"Minta.lnk").empty());
    EXPECT_EQ(ListedNames(), std::vector<std::wstring>{L"run.cmd"});

    // A file the Recycle Bin does not take is reported, by its path, and stays.
    startupFolders.recycleBin.clear();
    SelectListed(L"run.cmd");
    c.deleteButton.RaiseClick();
    EXPECT_TRUE(Exists(kCommonFolder, L"run.cmd"));
    EXPECT_EQ(messageBox.shown.back().text,
              L"Can't change the file: C:\\ProgramData\\Startup\\run.cmd\r\nAccess is denied. (5)");
    EXPECT_EQ(messageBox.shown.back().icon, platform::MessageIcon::Error);
}

} // namespace
} // namespace tolvan::test
