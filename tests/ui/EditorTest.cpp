// The entry editor on the headless window system and the in-memory registry: what it shows when
// it opens, what Save leaves in the Run keys, and where "Add file path..." opens the chooser.
#include "HeadlessUi.h"
#include "registry/RegistryValues.h"
#include "ui/EntryEditor.h"
#include "ui/layouts/MainWindowLayout.h"

#include <array>
#include <functional>

namespace tolvan::test {
namespace {

using namespace platform;
using entries::Scope;
using platform::portable::RegistryCall;
using platform::reg::kCurrentUser;
using platform::reg::kLocalMachine;
using Values = std::map<std::wstring, std::wstring>;
using Controls = ui::EntryEditorControls;

constexpr std::wstring_view kErrorEnglish =
    L"Can't modify registry entry.\r\nAccess is denied. (5)";
constexpr std::wstring_view kErrorHungarian =
    L"Nem módosítható a registry bejegyzés.\r\nThe system cannot find the file specified. (2)";

class Editor : public HeadlessUi {
protected:
    // Opens the editor as Edit or New would and lets `user` act in it; the editor must close.
    void Run(bool isNew, std::wstring_view name, std::wstring_view command, Scope scope,
             const std::function<void(const Controls&)>& user)
    {
        windows.modalScript = [&](window::FormModel& form, window::FormModel& ownerForm) {
            EXPECT_EQ(&form, &editor.Form());
            EXPECT_EQ(&ownerForm, &owner);
            editorHandle = windows.Handle(form);
            user(editor.Controls());
        };
        ui::EntryDraft draft{std::wstring(name), std::wstring(command), scope};
        if (!isNew && !entries::IsFolderScope(scope)) {
            // As the list read it.
            (void)registry::ReadValue(registry, entries::RunKeyOf(scope), draft.name,
                                      draft.valueType, draft.valueData);
        }
        if (isNew) {
            editor.ShowForNewEntry(owner, std::move(draft));
        } else {
            editor.ShowForEntry(owner, std::move(draft));
        }
        EXPECT_FALSE(editor.Form().Loaded());
    }

    static void Type(window::Control& box, std::wstring_view text)
    {
        box.TakeText(std::wstring(text));
    }
    static void Choose(window::Control& option)
    {
        option.TakeChecked(true);
        option.RaiseClick();
    }
    static void Save(const Controls& c) { c.saveButton.RaiseClick(); }

    void ExpectTheErrorMessage(std::wstring_view text = kErrorEnglish,
                               std::wstring_view title = L"Error")
    {
        ASSERT_EQ(messageBox.shown.size(), 1u);
        EXPECT_EQ(messageBox.shown[0].text, text);
        EXPECT_EQ(messageBox.shown[0].title, title);
        EXPECT_EQ(messageBox.shown[0].buttons, MessageButtons::Ok);
        EXPECT_EQ(messageBox.shown[0].icon, MessageIcon::Error);
        EXPECT_NE(editorHandle, 0u);
        EXPECT_EQ(messageBox.shown[0].owner, editorHandle);
    }

    void SetUp() override { language.Set(ui::Language::English); }

    window::FormModel owner{ui::MainWindowLayout()};
    ui::EntryEditor editor{services, windows, language};
    WindowId editorHandle = 0;
};

TEST_F(Editor, LoadCaptionsTheDialogInTheLanguageAndShowsTheEntry)
{
    Run(false, L"Tray", L"C:\\T\\tray.exe -q", Scope::CurrentUser, [](const Controls& c) {
        EXPECT_EQ(c.saveButton.Form().Caption(), L"Editing");
        EXPECT_EQ(c.addPathButton.Caption(), L"Add file path...");
        EXPECT_EQ(c.scopeLabel.Caption(), L"Range:");
        EXPECT_EQ(c.allUsersOption.Caption(), L"All users");
        EXPECT_EQ(c.currentUserOption.Caption(), L"Current user");
        EXPECT_EQ(c.nameLabel.Caption(), L"Name:");
        EXPECT_EQ(c.valueLabel.Caption(), L"Value:");
        EXPECT_EQ(c.nameHintLabel.Caption(), L"(the name can be anything, just be unique)");
        EXPECT_EQ(c.saveButton.Caption(), L"Save");
        EXPECT_EQ(c.cancelButton.Caption(), L"Cancel");
        EXPECT_TRUE(c.currentUserOption.Checked());
        EXPECT_FALSE(c.allUsersOption.Checked());
        EXPECT_EQ(c.nameBox.Caption(), L"Tray");
        EXPECT_EQ(c.valueBox.Caption(), L"C:\\T\\tray.exe -q");
        c.cancelButton.RaiseClick();
    });

    language.Set(ui::Language::Hungarian);
    Run(true, L"new_entry", L"", Scope::AllUsers, [](const Controls& c) {
        EXPECT_EQ(c.saveButton.Form().Caption(), L"Szerkesztés");
        EXPECT_EQ(c.addPathButton.Caption(), L"Fájl elérési út hozzáadása...");
        EXPECT_EQ(c.scopeLabel.Caption(), L"Hatáskör:");
        EXPECT_EQ(c.allUsersOption.Caption(), L"Összes felhasználó");
        EXPECT_EQ(c.currentUserOption.Caption(), L"Jelenlegi felhasználó");
        EXPECT_EQ(c.nameLabel.Caption(), L"Név:");
        EXPECT_EQ(c.valueLabel.Caption(), L"Érték:");
        EXPECT_EQ(c.nameHintLabel.Caption(), L"(a név bármi lehet, csak legyen egyedi)");
        EXPECT_EQ(c.saveButton.Caption(), L"Mentés");
        EXPECT_EQ(c.cancelButton.Caption(), L"Mégse");
        // Loaded afresh: the scope of the last showing is gone.
        EXPECT_TRUE(c.allUsersOption.Checked());
        EXPECT_FALSE(c.currentUserOption.Checked());
        EXPECT_EQ(c.nameBox.Caption(), L"new_entry");
        EXPECT_EQ(c.valueBox.Caption(), L"");
        c.cancelButton.RaiseClick();
    });
}

// New twice, saved twice under the name offered: the second Save asks, and No loses nothing.
TEST_F(Editor, SavingOntoANameInUseAsksAndNoWritesNothingAndKeepsTheEditorOpen)
{
    const std::array<std::pair<ui::Language, std::wstring_view>, 2> questions{{
        {ui::Language::English,
         L"An entry named \"new_entry\" already exists in All users. Replace it?"},
        {ui::Language::Hungarian,
         L"Már van „new_entry” nevű bejegyzés itt: Összes felhasználó. Lecseréli?"},
    }};
    PutRunValue(kCurrentUser, L"new_entry", L"kept.exe");
    Run(true, L"new_entry", L"", Scope::AllUsers, [](const Controls& c) {
        Type(c.valueBox, L"first.exe");
        Save(c);
    });
    for (const auto& [speaking, question] : questions) {
        language.Set(speaking);
        messageBox.shown.clear();
        messageBox.answers = {MessageAnswer::No};
        Run(true, L"new_entry", L"", Scope::AllUsers, [this](const Controls& c) {
            Type(c.valueBox, L"second.exe");
            Save(c);
            EXPECT_TRUE(editor.Form().Loaded());
            EXPECT_EQ(c.valueBox.Caption(), L"second.exe");
            c.cancelButton.RaiseClick();
        });
        ASSERT_EQ(messageBox.shown.size(), 1u);
        EXPECT_EQ(messageBox.shown[0].text, question);
        EXPECT_EQ(messageBox.shown[0].title, L"Tolvan");
        EXPECT_EQ(messageBox.shown[0].buttons, MessageButtons::YesNoDefaultNo);
        EXPECT_EQ(messageBox.shown[0].icon, MessageIcon::Warning);
        EXPECT_EQ(messageBox.shown[0].owner, editorHandle);
        EXPECT_EQ(RunValues(kLocalMachine), (Values{{L"new_entry", L"first.exe"}}));
        EXPECT_EQ(RunValues(kCurrentUser), (Values{{L"new_entry", L"kept.exe"}}));
    }
}

TEST_F(Editor, SavingAnUnchangedEntryRewritesItInPlace)
{
    PutRunValue(kCurrentUser, L"Tray", L"tray.exe");
    Run(false, L"Tray", L"tray.exe", Scope::CurrentUser, [](const Controls& c) {
        Type(c.valueBox, L"tray.exe --quiet");
        Save(c);
    });
    EXPECT_EQ(RunValues(kCurrentUser), (Values{{L"Tray", L"tray.exe --quiet"}}));
    EXPECT_EQ(registry.CallCount(RegistryCall::DeleteValue), 0);
    EXPECT_TRUE(messageBox.shown.empty());
}

TEST_F(Editor, YesReplacesTheEntryOfTheName)
{
    PutRunValue(kCurrentUser, L"Tray", L"tray.exe");
    PutRunValue(kLocalMachine, L"Other", L"other.exe");
    messageBox.answers = {MessageAnswer::Yes};
    Run(false, L"Tray", L"tray.exe", Scope::CurrentUser, [](const Controls& c) {
        Type(c.nameBox, L"other");
        Choose(c.allUsersOption);
        Save(c);
    });
    EXPECT_EQ(messageBox.shown.size(), 1u);
    EXPECT_EQ(RunValues(kCurrentUser), Values{});
    EXPECT_EQ(RunValues(kLocalMachine), (Values{{L"other", L"tray.exe"}}));
}

TEST_F(Editor, AChangeOfLetterCaseAloneIsARename)
{
    PutRunValue(kCurrentUser, L"Tray", L"tray.exe");
    Run(false, L"Tray", L"tray.exe", Scope::CurrentUser, [](const Controls& c) {
        Type(c.nameBox, L"TRAY");
        Save(c);
    });
    EXPECT_EQ(registry.CallCount(RegistryCall::DeleteValue), 1);
    EXPECT_EQ(RunValues(kCurrentUser), (Values{{L"TRAY", L"tray.exe"}}));
    EXPECT_TRUE(messageBox.shown.empty()) << "asked about its own name";
}

TEST_F(Editor, MovingToTheOtherScopeLeavesTheEntryOnlyThere)
{
    PutRunValue(kCurrentUser, L"Tray", L"tray.exe");
    Run(false, L"Tray", L"tray.exe", Scope::CurrentUser, [](const Controls& c) {
        Choose(c.allUsersOption);
        Save(c);
    });
    EXPECT_EQ(RunValues(kCurrentUser), Values{});
    EXPECT_EQ(RunValues(kLocalMachine), (Values{{L"Tray", L"tray.exe"}}));

    Run(false, L"Tray", L"tray.exe", Scope::AllUsers, [](const Controls& c) {
        Choose(c.currentUserOption);
        Type(c.nameBox, L"Tray helper");
        Save(c);
    });
    EXPECT_EQ(RunValues(kLocalMachine), Values{});
    EXPECT_EQ(RunValues(kCurrentUser), (Values{{L"Tray helper", L"tray.exe"}}));
    EXPECT_TRUE(messageBox.shown.empty());
}

TEST_F(Editor, AFailedRemovalWritesNothingAndShowsTheMessage)
{
    PutRunValue(kCurrentUser, L"Tray", L"tray.exe");
    registry.FailCall(RegistryCall::DeleteValue, 1, reg::kAccessDenied);
    Run(false, L"Tray", L"tray.exe", Scope::CurrentUser, [](const Controls& c) {
        Type(c.nameBox, L"Renamed");
        Save(c);
    });
    EXPECT_EQ(registry.CallCount(RegistryCall::SetValue), 1); // only the set-up's
    EXPECT_EQ(RunValues(kCurrentUser), (Values{{L"Tray", L"tray.exe"}}));
    ExpectTheErrorMessage();
}

// Save asks before it writes over what another program changed or removed meanwhile; No keeps
// the editor open and writes nothing. A Save that changes nothing writes nothing at all.
TEST_F(Editor, SaveOverAChangeMadeMeanwhileIsAskedFirst)
{
    constexpr std::wstring_view kQuestion = L"Another program changed or removed this entry while "
                                            L"you were editing it. Save anyway?";
    struct Case {
        std::function<void(portable::MemoryRegistry&)> meanwhile;
        std::wstring_view typed; // empty: the command is left as shown
        MessageAnswer answer;
        Values after;
    };
    const auto changeTo = [](std::wstring_view command) {
        return [command](portable::MemoryRegistry& r) {
            ASSERT_EQ(
                registry::WriteString(r, entries::RunKeyOf(Scope::CurrentUser), L"Tray", command),
                0);
        };
    };
    const auto remove = [](portable::MemoryRegistry& r) {
        ASSERT_EQ(registry::DeleteValue(r, entries::RunKeyOf(Scope::CurrentUser), L"Tray"), 0);
    };
    const std::array cases{
        Case{changeTo(L"theirs.exe"), L"mine.exe", MessageAnswer::No, {{L"Tray", L"theirs.exe"}}},
        Case{changeTo(L"theirs.exe"), L"mine.exe", MessageAnswer::Yes, {{L"Tray", L"mine.exe"}}},
        Case{remove, L"mine.exe", MessageAnswer::No, {}},
        Case{remove, L"mine.exe", MessageAnswer::Yes, {{L"Tray", L"mine.exe"}}},
        Case{changeTo(L"theirs.exe"), L"", MessageAnswer::Yes, {{L"Tray", L"theirs.exe"}}},
    };
    for (const Case& row : cases) {
        PutRunValue(kCurrentUser, L"Tray", L"tray.exe");
        messageBox.shown.clear();
        messageBox.answers = {row.answer};
        Run(false, L"Tray", L"tray.exe", Scope::CurrentUser, [&](const Controls& c) {
            row.meanwhile(registry);
            if (!row.typed.empty()) {
                Type(c.valueBox, row.typed);
            }
            Save(c);
            EXPECT_EQ(editor.Form().Loaded(), row.answer == MessageAnswer::No);
            c.cancelButton.RaiseClick();
        });
        EXPECT_EQ(RunValues(kCurrentUser), row.after) << ToUtf8(row.typed);
        ASSERT_EQ(messageBox.shown.size(), row.typed.empty() ? 0U : 1U);
        if (!row.typed.empty()) {
            EXPECT_EQ(messageBox.shown[0].text, kQuestion);
            EXPECT_EQ(messageBox.shown[0].buttons, MessageButtons::YesNoDefaultNo);
        }
    }
    // Data after a NUL, which no box can show, survives a Save that changes nothing.
    const std::wstring_view withNul(L"a\0b", 3);
    PutRunValue(kCurrentUser, L"Tray", withNul);
    const long long writesBefore = registry.CallCount(RegistryCall::SetValue);
    Run(false, L"Tray", withNul, Scope::CurrentUser, [](const Controls& c) { Save(c); });
    EXPECT_EQ(registry.CallCount(RegistryCall::SetValue), writesBefore);
    std::uint32_t type = 0;
    std::vector<std::byte> data;
    ASSERT_EQ(
        registry::ReadValue(registry, entries::RunKeyOf(Scope::CurrentUser), L"Tray", type, data),
        0);
    EXPECT_EQ(data.size(), 8U); // a, NUL, b and the terminating NUL
}

TEST_F(Editor, AFailedWriteAfterTheRemovalPutsTheOldValueBack)
{
    PutRunValue(kCurrentUser, L"Tray", L"\"C:\\T\\tray.exe\" -q");
    registry.FailCall(RegistryCall::SetValue, 1, reg::kAccessDenied);
    Run(false, L"Tray", L"\"C:\\T\\tray.exe\" -q", Scope::CurrentUser, [](const Controls& c) {
        Choose(c.allUsersOption);
        Type(c.nameBox, L"tray");
        Type(c.valueBox, L"changed.exe");
        Save(c);
    });
    EXPECT_EQ(RunValues(kCurrentUser), (Values{{L"Tray", L"\"C:\\T\\tray.exe\" -q"}}));
    EXPECT_EQ(RunValues(kLocalMachine), Values{});
    ExpectTheErrorMessage();
}

TEST_F(Editor, WhenEvenTheRestoreFailsTheOneMessageIsShown)
{
    PutRunValue(kCurrentUser, L"Tray", L"tray.exe");
    registry.FailCall(RegistryCall::SetValue, 1, reg::kAccessDenied);
    registry.FailCall(RegistryCall::SetValue, 1, reg::kAccessDenied);
    Run(false, L"Tray", L"tray.exe", Scope::CurrentUser, [](const Controls& c) {
        Type(c.nameBox, L"Renamed");
        Save(c);
    });
    EXPECT_EQ(RunValues(kCurrentUser), Values{});
    ExpectTheErrorMessage();
}

TEST_F(Editor, AFailedWriteInPlaceRemovesNothingAndShowsTheMessage)
{
    PutRunValue(kCurrentUser, L"Tray", L"tray.exe");
    registry.FailCall(RegistryCall::SetValue, 1, reg::kAccessDenied);
    Run(false, L"Tray", L"tray.exe", Scope::CurrentUser, [](const Controls& c) {
        Type(c.valueBox, L"other.exe");
        Save(c);
    });
    EXPECT_EQ(registry.CallCount(RegistryCall::DeleteValue), 0);
    EXPECT_EQ(RunValues(kCurrentUser), (Values{{L"Tray", L"tray.exe"}}));
    ExpectTheErrorMessage();
}

TEST_F(Editor, AnEmptyNameWritesTheDefaultValueAndAnEmptyCommandAnEmptyString)
{
    Run(true, L"new_entry", L"", Scope::AllUsers, [](const Controls& c) {
        Type(c.nameBox, L"");
        Type(c.valueBox, L"  spaced.exe  ");
        Save(c);
    });
    EXPECT_EQ(RunValues(kLocalMachine), (Values{{L"", L"  spaced.exe  "}}));
    Run(true, L"empty", L"", Scope::AllUsers, Save);
    EXPECT_EQ(RunValues(kLocalMachine), (Values{{L"", L"  spaced.exe  "}, {L"empty", L""}}));
}

TEST_F(Editor, CancelLeavesTheRegistryAlone)
{
    PutRunValue(kCurrentUser, L"Tray", L"tray.exe");
    long long callsBefore = 0;
    Run(false, L"Tray", L"tray.exe", Scope::CurrentUser, [&](const Controls& c) {
        callsBefore = registry.CallCount();
        Type(c.nameBox, L"Renamed");
        Choose(c.allUsersOption);
        c.cancelButton.RaiseClick();
    });
    EXPECT_EQ(registry.CallCount(), callsBefore);
    EXPECT_TRUE(messageBox.shown.empty());
}

// "Add file path..."

class AddFilePath : public Editor {
protected:
    // Opens the editor on `command`, presses the button and hands back what the chooser got.
    OpenFileRequest Press(std::wstring_view command, bool isNew = false)
    {
        Run(isNew, L"entry", command, Scope::CurrentUser, [](const Controls& c) {
            c.addPathButton.RaiseClick();
            c.cancelButton.RaiseClick();
        });
        EXPECT_EQ(fileDialogs.shown.size(), 1u);
        OpenFileRequest record =
            fileDialogs.shown.empty() ? OpenFileRequest{} : fileDialogs.shown[0];
        fileDialogs.shown.clear();
        return record;
    }
};

TEST_F(AddFilePath, OpensInTheFolderOfTheCommandAsItWasWhenTheDialogOpened)
{
    Run(false, L"App", L"\"C:\\Program Files\\App\\app.exe\" --tray", Scope::CurrentUser,
        [this](const Controls& c) {
            Type(c.valueBox, L"D:\\Elsewhere\\other.exe");
            c.addPathButton.RaiseClick();
            EXPECT_EQ(c.valueBox.Caption(), L"D:\\Elsewhere\\other.exe"); // cancelled
            ASSERT_EQ(fileDialogs.shown.size(), 1u);
            const OpenFileRequest& record = fileDialogs.shown[0];
            EXPECT_EQ(record.initialFolder, L"C:\\Program Files\\App\\");
            EXPECT_EQ(record.owner, windows.Handle(c.saveButton.Form()));
            EXPECT_EQ(record.title, L"Select a file");
            ASSERT_EQ(record.filters.size(), 1u);
            EXPECT_EQ(record.filters[0].description, L"All Files");
            EXPECT_EQ(record.filters[0].pattern, L"*.*");
            // The folder only: the command's own file is not proposed.
            EXPECT_EQ(record.proposedName, L"");
            c.cancelButton.RaiseClick();
        });
    fileDialogs.shown.clear();

    EXPECT_EQ(Press(L"C:\\Windows\\notepad.exe").initialFolder, L"C:\\Windows\\");
    EXPECT_EQ(Press(L"tray.exe --quiet").initialFolder, L"");
    EXPECT_EQ(Press(L"\"D:\\tray.exe\"").initialFolder, L"D:\\");
}

TEST_F(AddFilePath, WithoutACommandOpensAtTheRootOfTheToolsDrive)
{
    versions.SetModule(L"tolvan.exe", L"E:\\Tools\\Tolvan\\tolvan.exe");
    versions.SetRunningModule(L"tolvan.exe");
    EXPECT_EQ(Press(L"", true).initialFolder, L"E:\\");
    EXPECT_EQ(Press(L"   ").initialFolder, L"E:\\");

    language.Set(ui::Language::Hungarian);
    const OpenFileRequest hungarian = Press(L"");
    EXPECT_EQ(hungarian.title, L"Válassz egy fájl-t");
    ASSERT_EQ(hungarian.filters.size(), 1u);
    EXPECT_EQ(hungarian.filters[0].description, L"Minden fájl");
}

TEST_F(AddFilePath, TheChosenPathReplacesTheCommandUnquoted)
{
    PutRunValue(kCurrentUser, L"App", L"app.exe --tray");
    fileDialogs.answers.emplace_back(L"C:\\Program Files\\New App\\new app.exe");
    Run(false, L"App", L"app.exe --tray", Scope::CurrentUser, [](const Controls& c) {
        c.addPathButton.RaiseClick();
        EXPECT_EQ(c.valueBox.Caption(), L"C:\\Program Files\\New App\\new app.exe");
        Save(c);
    });
    EXPECT_EQ(RunValues(kCurrentUser),
              (Values{{L"App", L"C:\\Program Files\\New App\\new app.exe"}}));
}

} // namespace
} // namespace tolvan::test
