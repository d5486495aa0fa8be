// The entry commands of the main window: New, Edit, Delete and Close. Every change goes to the
// registry and the list is then read back from it; no entry is changed in place.
#include "frmTolvan.h"
#include "registry/modRegistry.h"
#include "startup/modTolvan.h"

namespace ui {

namespace {

constexpr int kEnterKey = 13;

} // namespace

frmChangeReg& frmTolvan::Editor()
{
    if (!editor_) {
        editor_ = std::make_unique<frmChangeReg>(platform_, windows_);
    }
    return *editor_;
}

void frmTolvan::ComNew_Click()
{
    frmChangeReg& editor = Editor();
    editor.newEntry = true;
    editor.dName = L"new_entry";
    editor.dValue.clear();
    editor.dTopKey = platform::reg::kLocalMachine;
    editor.ShowModal(form_);
    // Whether the user saved or cancelled.
    RefreshList();
}

void frmTolvan::ComEdit_Click()
{
    selIndex = static_cast<std::int16_t>(recList.ListIndex());
    if (selIndex < 0 || selIndex >= modTolvan::entryCount()) {
        return;
    }
    const modTolvan::RunEntry& entry = modTolvan::entries[static_cast<std::size_t>(selIndex)];
    frmChangeReg& editor = Editor();
    editor.newEntry = false;
    editor.dName = entry.Name;
    editor.dValue = entry.Value;
    editor.dTopKey = entry.TopKey;
    editor.ShowModal(form_);
    RefreshList();
}

void frmTolvan::recList_DblClick()
{
    ComEdit_Click();
}

void frmTolvan::recList_KeyPress(int keyAscii)
{
    // Every other key is the list box's own business.
    if (keyAscii == kEnterKey) {
        ComEdit_Click();
    }
}

void frmTolvan::ComDel_Click()
{
    selIndex = static_cast<std::int16_t>(recList.ListIndex());
    if (selIndex < 0 || selIndex >= modTolvan::entryCount()) {
        return;
    }
    const std::int32_t answer = platform_.messageBox.Show(
        windows_.Handle(form_),
        modTolvan::LangText(L"Biztos hogy törölni szeretné ezt a registry bejegyzést?",
                            L"Are you sure you want to delete this registry entry?"),
        L"Tolvan",
        platform::mb::kOkCancel | platform::mb::kIconQuestion | platform::mb::kDefaultButton1);
    if (answer != platform::mb::kIdOk) {
        return;
    }
    const modTolvan::RunEntry& entry = modTolvan::entries[static_cast<std::size_t>(selIndex)];
    // A failed deletion shows itself: the refreshed list still holds the entry.
    (void)modRegistry::DeleteValue(platform_.registry, entry.TopKey, modRegistry::kRunKeyPath,
                                   entry.Name);
    RefreshList();
}

void frmTolvan::ComExit_Click()
{
    windows_.Unload(form_);
}

} // namespace ui
