// The entry editor on the headless window system and the in-memory registry: what it shows when
// it opens, what Save leaves in the Run keys, and where "Add file path..." opens the chooser.
#include "HeadlessUi.h"
#include "ui/frmChangeReg.h"
#include "ui/layout/Layouts.h"

#include <functional>

namespace tolvan::test {
namespace {

using namespace platform;
using platform::portable::RegistryCall;
using platform::reg::kCurrentUser;
using platform::reg::kLocalMachine;
using Values = std::map<std::wstring, std::wstring>;

constexpr std::wstring_view kErrorEnglish =
    L"Can't modify registry entry. Try running this application with administrator rights.";
constexpr std::wstring_view kErrorHungarian =
    L"Nem módosítható a registry bejegyzés. Próbálja meg a programot rendszergazdaként futtatni.";

class Editor : public HeadlessUi {
protected:
    // Opens the editor as Edit or New would and lets `user` act in it; the editor must close.
    void Run(bool isNew, std::wstring_view name, std::wstring_view command, RootKey root,
             const std::function<void(ui::frmChangeReg&)>& user)
    {
        editor.newEntry = isNew;
        editor.dName = name;
        editor.dValue = command;
        editor.dTopKey = root;
        windows.modalScript = [&](window::FormModel& form, window::FormModel& ownerForm) {
            EXPECT_EQ(&form, &editor.form());
            EXPECT_EQ(&ownerForm, &owner);
            editorHandle = windows.Handle(form);
            user(editor);
        };
        editor.ShowModal(owner);
        EXPECT_FALSE(editor.form().Loaded());
    }

    static void Type(window::Control& box, std::wstring_view text)
    {
        box.TakeText(std::wstring(text));
    }
    static void Choose(window::Control& option)
    {
        option.TakeValue(true);
        option.RaiseClick();
    }
    static void Save(ui::frmChangeReg& form) { form.ComOK.RaiseClick(); }

    void ExpectTheErrorMessage(std::wstring_view text = kErrorEnglish,
                               std::wstring_view title = L"Error")
    {
        ASSERT_EQ(messageBox.shown.size(), 1u);
        EXPECT_EQ(messageBox.shown[0].text, text);
        EXPECT_EQ(messageBox.shown[0].title, title);
        EXPECT_EQ(messageBox.shown[0].style, mb::kOk | mb::kIconError);
        EXPECT_NE(editorHandle, 0u);
        EXPECT_EQ(messageBox.shown[0].owner, editorHandle);
    }

    void SetUp() override { modTolvan::langFlag = 1; }

    window::FormModel owner{ui::MainWindowLayout()};
    ui::frmChangeReg editor{services, windows};
    WindowId editorHandle = 0;
};

TEST_F(Editor, LoadCaptionsTheDialogInTheLanguageAndShowsTheEntry)
{
    Run(false, L"Tray", L"C:\\T\\tray.exe -q", kCurrentUser, [](ui::frmChangeReg& form) {
        EXPECT_EQ(form.form().Caption(), L"Editing");
        EXPECT_EQ(form.ComAddPath.Caption(), L"Add file path...");
        EXPECT_EQ(form.lblCtopkey.Caption(), L"Range:");
        EXPECT_EQ(form.optHKEY[0]->Caption(), L"All users");
        EXPECT_EQ(form.optHKEY[1]->Caption(), L"Current user");
        EXPECT_EQ(form.lblCname.Caption(), L"Name:");
        EXPECT_EQ(form.lblCvalue.Caption(), L"Value:");
        EXPECT_EQ(form.lblNameInfo.Caption(), L"(the name can be anything, just be unique)");
        EXPECT_EQ(form.ComOK.Caption(), L"Save");
        EXPECT_EQ(form.ComCancel.Caption(), L"Cancel");
        EXPECT_TRUE(form.optHKEY[1]->Value());
        EXPECT_FALSE(form.optHKEY[0]->Value());
        EXPECT_EQ(form.Tname.Caption(), L"Tray");
        EXPECT_EQ(form.Tvalue.Caption(), L"C:\\T\\tray.exe -q");
        form.ComCancel.RaiseClick();
    });

    modTolvan::langFlag = 0;
    Run(true, L"new_entry", L"", kLocalMachine, [](ui::frmChangeReg& form) {
        EXPECT_EQ(form.form().Caption(), L"Szerkesztés");
        EXPECT_EQ(form.ComAddPath.Caption(), L"Fájl elérési út hozzáadása...");
        EXPECT_EQ(form.lblCtopkey.Caption(), L"Hatáskör:");
        EXPECT_EQ(form.optHKEY[0]->Caption(), L"Összes felhasználó");
        EXPECT_EQ(form.optHKEY[1]->Caption(), L"Jelenlegi felhasználó");
        EXPECT_EQ(form.lblCname.Caption(), L"Név:");
        EXPECT_EQ(form.lblCvalue.Caption(), L"Érték:");
        EXPECT_EQ(form.lblNameInfo.Caption(), L"(a név bármi lehet, csak legyen egyedi)");
        EXPECT_EQ(form.ComOK.Caption(), L"Mentés");
        EXPECT_EQ(form.ComCancel.Caption(), L"Mégse");
        // Loaded afresh: the scope of the last showing is gone.
        EXPECT_TRUE(form.optHKEY[0]->Value());
        EXPECT_FALSE(form.optHKEY[1]->Value());
        EXPECT_EQ(form.Tname.Caption(), L"new_entry");
        EXPECT_EQ(form.Tvalue.Caption(), L"");
        form.ComCancel.RaiseClick();
    });
}

TEST_F(Editor, SavingANewEntryWritesUnderTheChosenRootOverwritingAndRemovingNothing)
{
    PutRunValue(kLocalMachine, L"new_entry", L"old.exe");
    PutRunValue(kCurrentUser, L"new_entry", L"kept.exe");
    Run(true, L"new_entry", L"", kLocalMachine, Save);
    EXPECT_EQ(RunValues(kLocalMachine), (Values{{L"new_entry", L""}}));
    EXPECT_EQ(RunValues(kCurrentUser), (Values{{L"new_entry", L"kept.exe"}}));

    Run(true, L"new_entry", L"", kLocalMachine, [](ui::frmChangeReg& form) {
        Type(form.Tname, L"Updater");
        Type(form.Tvalue, L"\"C:\\Program Files\\U\\u.exe\" /bg");
        Choose(*form.optHKEY[1]);
        Save(form);
    });
    EXPECT_EQ(RunValues(kCurrentUser),
              (Values{{L"new_entry", L"kept.exe"},
                      {L"Updater", L"\"C:\\Program Files\\U\\u.exe\" /bg"}}));
    EXPECT_EQ(registry.CallCount(RegistryCall::DeleteValue), 0);
    EXPECT_TRUE(messageBox.shown.empty());
}

TEST_F(Editor, SavingAnUnchangedEntryRewritesItInPlace)
{
    PutRunValue(kCurrentUser, L"Tray", L"tray.exe");
    Run(false, L"Tray", L"tray.exe", kCurrentUser, [](ui::frmChangeReg& form) {
        Type(form.Tvalue, L"tray.exe --quiet");
        Save(form);
    });
    EXPECT_EQ(RunValues(kCurrentUser), (Values{{L"Tray", L"tray.exe --quiet"}}));
    EXPECT_EQ(registry.CallCount(RegistryCall::DeleteValue), 0);
    EXPECT_TRUE(messageBox.shown.empty());
}

TEST_F(Editor, ARenameRemovesTheOldValueAndOverwritesOneBearingTheNewName)
{
    PutRunValue(kCurrentUser, L"Tray", L"tray.exe");
    PutRunValue(kCurrentUser, L"Other", L"other.exe");
    Run(false, L"Tray", L"tray.exe", kCurrentUser, [](ui::frmChangeReg& form) {
        Type(form.Tname, L"Other");
        Save(form);
    });
    EXPECT_EQ(RunValues(kCurrentUser), (Values{{L"Other", L"tray.exe"}}));
    EXPECT_TRUE(messageBox.shown.empty());
}

TEST_F(Editor, AChangeOfLetterCaseAloneIsARename)
{
    PutRunValue(kCurrentUser, L"Tray", L"tray.exe");
    Run(false, L"Tray", L"tray.exe", kCurrentUser, [](ui::frmChangeReg& form) {
        Type(form.Tname, L"TRAY");
        Save(form);
    });
    EXPECT_EQ(registry.CallCount(RegistryCall::DeleteValue), 1);
    EXPECT_EQ(RunValues(kCurrentUser), (Values{{L"TRAY", L"tray.exe"}}));
}

TEST_F(Editor, MovingToTheOtherScopeLeavesTheEntryOnlyThere)
{
    PutRunValue(kCurrentUser, L"Tray", L"tray.exe");
    Run(false, L"Tray", L"tray.exe", kCurrentUser, [](ui::frmChangeReg& form) {
        Choose(*form.optHKEY[0]);
        Save(form);
    });
    EXPECT_EQ(RunValues(kCurrentUser), Values{});
    EXPECT_EQ(RunValues(kLocalMachine), (Values{{L"Tray", L"tray.exe"}}));

    Run(false, L"Tray", L"tray.exe", kLocalMachine, [](ui::frmChangeReg& form) {
        Choose(*form.optHKEY[1]);
        Type(form.Tname, L"Tray helper");
        Save(form);
    });
    EXPECT_EQ(RunValues(kLocalMachine), Values{});
    EXPECT_EQ(RunValues(kCurrentUser), (Values{{L"Tray helper", L"tray.exe"}}));
    EXPECT_TRUE(messageBox.shown.empty());
}

TEST_F(Editor, AFailedRemovalWritesNothingAndShowsTheMessage)
{
    PutRunValue(kCurrentUser, L"Tray", L"tray.exe");
    registry.FailCall(RegistryCall::DeleteValue, 1, reg::kAccessDenied);
    Run(false, L"Tray", L"tray.exe", kCurrentUser, [](ui::frmChangeReg& form) {
        Type(form.Tname, L"Renamed");
        Save(form);
    });
    EXPECT_EQ(registry.CallCount(RegistryCall::SetValue), 1); // only the set-up's
    EXPECT_EQ(RunValues(kCurrentUser), (Values{{L"Tray", L"tray.exe"}}));
    ExpectTheErrorMessage();
}

TEST_F(Editor, AnEntryGoneMeanwhileCannotBeRenamed)
{
    modTolvan::langFlag = 0;
    Run(false, L"Gone", L"gone.exe", kCurrentUser, [](ui::frmChangeReg& form) {
        Type(form.Tname, L"Renamed");
        Save(form);
    });
    EXPECT_EQ(RunValues(kCurrentUser), Values{});
    ExpectTheErrorMessage(kErrorHungarian, L"Hiba");
}

TEST_F(Editor, AFailedWriteAfterTheRemovalPutsTheOldValueBack)
{
    PutRunValue(kCurrentUser, L"Tray", L"\"C:\\T\\tray.exe\" -q");
    registry.FailCall(RegistryCall::SetValue, 1, reg::kAccessDenied);
    Run(false, L"Tray", L"\"C:\\T\\tray.exe\" -q", kCurrentUser, [](ui::frmChangeReg& form) {
        Choose(*form.optHKEY[0]);
        Type(form.Tname, L"tray");
        Type(form.Tvalue, L"changed.exe");
        Save(form);
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
    Run(false, L"Tray", L"tray.exe", kCurrentUser, [](ui::frmChangeReg& form) {
        Type(form.Tname, L"Renamed");
        Save(form);
    });
    EXPECT_EQ(RunValues(kCurrentUser), Values{});
    ExpectTheErrorMessage();
}

TEST_F(Editor, AFailedWriteInPlaceRemovesNothingAndShowsTheMessage)
{
    PutRunValue(kCurrentUser, L"Tray", L"tray.exe");
    registry.FailCall(RegistryCall::SetValue, 1, reg::kAccessDenied);
    Run(false, L"Tray", L"tray.exe", kCurrentUser, [](ui::frmChangeReg& form) {
        Type(form.Tvalue, L"other.exe");
        Save(form);
    });
    EXPECT_EQ(registry.CallCount(RegistryCall::DeleteValue), 0);
    EXPECT_EQ(RunValues(kCurrentUser), (Values{{L"Tray", L"tray.exe"}}));
    ExpectTheErrorMessage();
}

TEST_F(Editor, AnEmptyNameWritesTheDefaultValueAndAnEmptyCommandAnEmptyString)
{
    Run(true, L"new_entry", L"", kLocalMachine, [](ui::frmChangeReg& form) {
        Type(form.Tname, L"");
        Type(form.Tvalue, L"  spaced.exe  ");
        Save(form);
    });
    EXPECT_EQ(RunValues(kLocalMachine), (Values{{L"", L"  spaced.exe  "}}));
    Run(true, L"empty", L"", kLocalMachine, Save);
    EXPECT_EQ(RunValues(kLocalMachine), (Values{{L"", L"  spaced.exe  "}, {L"empty", L""}}));
}

TEST_F(Editor, AnEntryOfNeitherScopeCannotBeSaved)
{
    Run(true, L"odd", L"odd.exe", 0, [](ui::frmChangeReg& form) {
        EXPECT_FALSE(form.optHKEY[0]->Value());
        EXPECT_FALSE(form.optHKEY[1]->Value());
        Save(form);
    });
    EXPECT_EQ(registry.CallCount(RegistryCall::SetValue), 0);
    ExpectTheErrorMessage();
}

TEST_F(Editor, CancelLeavesTheRegistryAlone)
{
    PutRunValue(kCurrentUser, L"Tray", L"tray.exe");
    const long long callsBefore = registry.CallCount();
    Run(false, L"Tray", L"tray.exe", kCurrentUser, [](ui::frmChangeReg& form) {
        Type(form.Tname, L"Renamed");
        Choose(*form.optHKEY[0]);
        form.ComCancel.RaiseClick();
    });
    EXPECT_EQ(registry.CallCount(), callsBefore);
    EXPECT_TRUE(messageBox.shown.empty());
}

// "Add file path..."

class AddFilePath : public Editor {
protected:
    // Opens the editor on `command`, presses the button and hands back what the chooser got.
    OpenFileRecord Press(std::wstring_view command, bool isNew = false)
    {
        Run(isNew, L"entry", command, kCurrentUser, [](ui::frmChangeReg& form) {
            form.ComAddPath.RaiseClick();
            form.ComCancel.RaiseClick();
        });
        EXPECT_EQ(fileDialogs.shown.size(), 1u);
        OpenFileRecord record = fileDialogs.shown.empty() ? OpenFileRecord{} : fileDialogs.shown[0];
        fileDialogs.shown.clear();
        return record;
    }
};

TEST_F(AddFilePath, OpensInTheFolderOfTheCommandAsItWasWhenTheDialogOpened)
{
    Run(false, L"App", L"\"C:\\Program Files\\App\\app.exe\" --tray", kCurrentUser,
        [this](ui::frmChangeReg& form) {
            Type(form.Tvalue, L"D:\\Elsewhere\\other.exe");
            form.ComAddPath.RaiseClick();
            EXPECT_EQ(form.Tvalue.Caption(), L"D:\\Elsewhere\\other.exe"); // cancelled
            ASSERT_EQ(fileDialogs.shown.size(), 1u);
            const OpenFileRecord& record = fileDialogs.shown[0];
            EXPECT_EQ(record.initialFolder, L"C:\\Program Files\\App\\");
            EXPECT_EQ(record.owner, windows.Handle(form.form()));
            EXPECT_EQ(record.title, L"Select a file");
            EXPECT_EQ(record.filter, std::wstring(L"All Files\0*.*\0\0", 15));
            EXPECT_EQ(record.file, std::wstring(260, L'\0'));
            EXPECT_EQ(record.flags, 0x00081004u);
            EXPECT_EQ(record.filterIndex, 0u);
            form.ComCancel.RaiseClick();
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

    modTolvan::langFlag = 0;
    const OpenFileRecord hungarian = Press(L"");
    EXPECT_EQ(hungarian.title, L"Válassz egy fájl-t");
    EXPECT_EQ(hungarian.filter, std::wstring(L"Minden fájl\0*.*\0\0", 17));
}

TEST_F(AddFilePath, TheChosenPathReplacesTheCommandUnquoted)
{
    fileDialogs.answers.push_back({L"C:\\Program Files\\New App\\new app.exe", 1});
    Run(false, L"App", L"app.exe --tray", kCurrentUser, [](ui::frmChangeReg& form) {
        form.ComAddPath.RaiseClick();
        EXPECT_EQ(form.Tvalue.Caption(), L"C:\\Program Files\\New App\\new app.exe");
        Save(form);
    });
    EXPECT_EQ(RunValues(kCurrentUser),
              (Values{{L"App", L"C:\\Program Files\\New App\\new app.exe"}}));
}

} // namespace
} // namespace tolvan::test
