#include "frmTolvan.h"

#include "startup/modTolvan.h"
#include "ui/layout/Layouts.h"

#include <string>
#include <vector>

namespace ui {

frmTolvan::frmTolvan(platform::Platform& platform, platform::window::WindowSystem& windows)
    : platform_(platform), windows_(windows), form_(MainWindowLayout()),
      recList(form_.control(L"recList")), ComNew(form_.control(L"ComNew")),
      ComEdit(form_.control(L"ComEdit")), ComDel(form_.control(L"ComDel")),
      ComExit(form_.control(L"ComExit")), frAbout(form_.control(L"frAbout")),
      frLoc(form_.control(L"frLoc")), frReg(form_.control(L"frReg")),
      lblCname(form_.control(L"lblCname")), lblCvalue(form_.control(L"lblCvalue")),
      lblProduct(form_.control(L"lblProduct")), lblDescr(form_.control(L"lblDescr")),
      lblCopyright(form_.control(L"lblCopyright")), lblPath(form_.control(L"lblPath")),
      lblRegName(form_.control(L"lblRegName")), lblRegValue(form_.control(L"lblRegValue")),
      lblTopkey(form_.control(L"lblTopkey")), lblTitle(form_.control(L"lblTitle")),
      imgLangENG(form_.control(L"imgLangENG")), imgLangHUN(form_.control(L"imgLangHUN")),
      imgLangENG_hl(form_.control(L"imgLangENG_hl")), imgLangHUN_hl(form_.control(L"imgLangHUN_hl"))
{
    form_.onLoad = [this] { Form_Load(); };
    ComNew.onClick = [this] { ComNew_Click(); };
    ComEdit.onClick = [this] { ComEdit_Click(); };
    recList.onDblClick = [this] { recList_DblClick(); };
    recList.onKeyPress = [this](int keyAscii) { recList_KeyPress(keyAscii); };
    ComDel.onClick = [this] { ComDel_Click(); };
    ComExit.onClick = [this] { ComExit_Click(); };
}

void frmTolvan::Show()
{
    windows_.Show(form_);
}

void frmTolvan::Form_Load()
{
    for (platform::window::Control* placeholder :
         {&lblProduct, &lblDescr, &lblCopyright, &lblPath, &lblRegName, &lblRegValue, &lblTopkey}) {
        placeholder->SetCaption(L"");
    }
    imgLangHUN_hl.SetLeft(imgLangHUN.Left());
    imgLangHUN_hl.SetTop(imgLangHUN.Top());
    imgLangENG_hl.SetLeft(imgLangENG.Left());
    imgLangENG_hl.SetTop(imgLangENG.Top());
    ApplyLanguage(modTolvan::langFlag);
    RefreshList();
}

void frmTolvan::RefreshList()
{
    int remembered = recList.ListIndex();
    recList.ClearItems();
    modTolvan::RebuildEntryTable(platform_);
    std::vector<std::wstring> texts;
    texts.reserve(modTolvan::entries.size());
    for (const modTolvan::RunEntry& entry : modTolvan::entries) {
        texts.push_back(entry.DisplayText);
    }
    recList.AddItems(std::move(texts));
    const int count = static_cast<int>(recList.Items().size());
    if (remembered >= count) {
        remembered = count - 1;
    }
    recList.SetListIndex(remembered);
}

void frmTolvan::ApplyLanguage(std::int32_t language)
{
    modTolvan::langFlag = language;
    const auto text = [](std::wstring_view hungarian, std::wstring_view english) {
        return modTolvan::LangText(hungarian, english);
    };
    form_.SetCaption(
        text(L"Windows indulásakor induló programok", L"Manage Windows startup programs"));
    frAbout.SetCaption(text(L"Program leírása", L"Application description"));
    frLoc.SetCaption(text(L"EXE fájl helye", L"Location of EXE file"));
    frReg.SetCaption(text(L"Registry értékek", L"Registry values"));
    lblCname.SetCaption(text(L"Név:", L"Name:"));
    lblCvalue.SetCaption(text(L"Érték:", L"Value:"));
    ComNew.SetCaption(text(L"Új", L"New"));
    ComEdit.SetCaption(text(L"Szerkeszt", L"Edit"));
    ComDel.SetCaption(text(L"Töröl", L"Delete"));
    ComExit.SetCaption(text(L"Bezár", L"Close"));
    lblTitle.SetCaption(form_.Caption());
}

} // namespace ui
