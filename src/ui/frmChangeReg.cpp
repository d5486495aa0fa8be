#include "frmChangeReg.h"

#include "comdlg32_Open.h"
#include "registry/modRegistry.h"
#include "startup/TextTrim.h"
#include "startup/modTolvan.h"
#include "ui/layout/Layouts.h"

#include <algorithm>
#include <vector>

namespace ui {

namespace {

// The root each option button stands for, by index.
constexpr std::array<std::int32_t, 2> kOptionRoots{platform::reg::kLocalMachine,
                                                   platform::reg::kCurrentUser};

} // namespace

frmChangeReg::frmChangeReg(platform::Platform& platform, platform::window::WindowSystem& windows)
    : platform_(platform), windows_(windows),
      form_(ChangeRegLayout()), optHKEY{&form_.control(L"optHKEY", 0),
                                        &form_.control(L"optHKEY", 1)},
      lblCtopkey(form_.control(L"lblCtopkey")), lblCname(form_.control(L"lblCname")),
      lblCvalue(form_.control(L"lblCvalue")), lblNameInfo(form_.control(L"lblNameInfo")),
      Tname(form_.control(L"Tname")), Tvalue(form_.control(L"Tvalue")),
      ComAddPath(form_.control(L"ComAddPath")), ComOK(form_.control(L"ComOK")),
      ComCancel(form_.control(L"ComCancel"))
{
    form_.onLoad = [this] { Form_Load(); };
    for (int index = 0; index < static_cast<int>(optHKEY.size()); ++index) {
        optHKEY[static_cast<std::size_t>(index)]->onClick = [this, index] { optHKEY_Click(index); };
    }
    ComAddPath.onClick = [this] { ComAddPath_Click(); };
    ComOK.onClick = [this] { ComOK_Click(); };
    ComCancel.onClick = [this] { ComCancel_Click(); };
}

void frmChangeReg::ShowModal(platform::window::FormModel& owner)
{
    windows_.ShowModal(form_, owner);
}

void frmChangeReg::Form_Load()
{
    const auto text = [](std::wstring_view hungarian, std::wstring_view english) {
        return modTolvan::LangText(hungarian, english);
    };
    form_.SetCaption(text(L"Szerkesztés", L"Editing"));
    ComAddPath.SetCaption(text(L"Fájl elérési út hozzáadása...", L"Add file path..."));
    lblCtopkey.SetCaption(text(L"Hatáskör:", L"Range:"));
    optHKEY[0]->SetCaption(text(L"Összes felhasználó", L"All users"));
    optHKEY[1]->SetCaption(text(L"Jelenlegi felhasználó", L"Current user"));
    lblCname.SetCaption(text(L"Név:", L"Name:"));
    lblCvalue.SetCaption(text(L"Érték:", L"Value:"));
    lblNameInfo.SetCaption(text(L"(a név bármi lehet, csak legyen egyedi)",
                                L"(the name can be anything, just be unique)"));
    ComOK.SetCaption(text(L"Mentés", L"Save"));
    ComCancel.SetCaption(text(L"Mégse", L"Cancel"));

    // A scope left over from the last showing must not be saved to when neither button fits.
    newTopKey = 0;
    if (dTopKey == platform::reg::kCurrentUser) {
        optHKEY[1]->SetValue(true);
    } else if (dTopKey == platform::reg::kLocalMachine) {
        optHKEY[0]->SetValue(true);
    }

    Tname.SetCaption(dName);
    Tvalue.SetCaption(dValue);
}

void frmChangeReg::optHKEY_Click(int index)
{
    if (index >= 0 && index < static_cast<int>(kOptionRoots.size())) {
        newTopKey = kOptionRoots[static_cast<std::size_t>(index)];
    }
}

std::wstring frmChangeReg::ToolDriveRoot() const
{
    std::vector<wchar_t> path(platform::ofn::kFileBufferChars + 1, L'\0');
    const std::uint32_t length =
        platform_.versions.ModuleFileName(platform_.versions.RunningModule(), path);
    if (length == 0) {
        return {};
    }
    return std::wstring(path.data(), std::min<std::size_t>(length, 3));
}

std::wstring frmChangeReg::StartingFolder() const
{
    // The command as it was when the dialog opened, not what the box holds now.
    if (modTolvan::TrimSpaces(dValue).empty()) {
        return ToolDriveRoot();
    }
    std::wstring_view command = dValue;
    if (command.front() == L'"') {
        command.remove_prefix(1);
    }
    const std::size_t lastBackslash = command.rfind(L'\\');
    if (lastBackslash == std::wstring_view::npos) {
        return {};
    }
    return std::wstring(command.substr(0, lastBackslash + 1));
}

void frmChangeReg::ComAddPath_Click()
{
    const std::wstring folder = StartingFolder();
    const std::wstring title = modTolvan::LangText(L"Válassz egy fájl-t", L"Select a file");
    std::wstring filter = modTolvan::LangText(L"Minden fájl", L"All Files");
    filter += L'\0';
    filter += L"*.*";
    std::wstring chosen;
    if (comdlg32_Open::ChooseFile(platform_.fileDialogs, windows_.Handle(form_), filter, folder,
                                  title, chosen, false)) {
        Tvalue.SetCaption(chosen);
    }
}

void frmChangeReg::ComOK_Click()
{
    newName = Tname.Caption();
    newValue = Tvalue.Caption();
    platform::Registry& registry = platform_.registry;

    platform::RegResult outcome = platform::reg::kSuccess;
    bool oldValueRemoved = false;
    // Compared as typed: a change of letter case alone is a new name.
    if (!newEntry && (newName != dName || newTopKey != dTopKey)) {
        outcome = modRegistry::DeleteValue(registry, dTopKey, modRegistry::kRunKeyPath, dName);
        oldValueRemoved = outcome == platform::reg::kSuccess;
    }
    if (outcome == platform::reg::kSuccess) {
        outcome = modRegistry::SetStringValue(registry, newTopKey, modRegistry::kRunKeyPath,
                                              newName, newValue);
        if (outcome != platform::reg::kSuccess && oldValueRemoved) {
            // A failed move or rename must not cost the user the entry: put the old value back
            // as it was. Should that fail too, the message below is all that can be said.
            (void)modRegistry::SetStringValue(registry, dTopKey, modRegistry::kRunKeyPath, dName,
                                              dValue);
        }
    }
    if (outcome != platform::reg::kSuccess) {
        (void)platform_.messageBox.Show(
            windows_.Handle(form_),
            modTolvan::LangText(L"Nem módosítható a registry bejegyzés. Próbálja meg a programot "
                                L"rendszergazdaként futtatni.",
                                L"Can't modify registry entry. Try running this application "
                                L"with administrator rights."),
            modTolvan::LangText(L"Hiba", L"Error"), platform::mb::kOk | platform::mb::kIconError);
    }
    windows_.Unload(form_);
}

void frmChangeReg::ComCancel_Click()
{
    windows_.Unload(form_);
}

} // namespace ui
