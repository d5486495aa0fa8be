#include "frmTolvan.h"

#include "modMendalCommon.h"
#include "registry/modRegistry.h"
#include "startup/modTolvan.h"
#include "ui/layout/Layouts.h"
#include "versioninfo/VersionInfo.h"

#include <string>
#include <vector>

namespace ui {

namespace {

using platform::window::Colour;

constexpr Colour kHomePageColour = Colour::Fixed(0xE65C00);
constexpr Colour kHomePageLitColour = Colour::Fixed(0xFF7C24);

constexpr std::int32_t kEnglish = 1;
constexpr std::int32_t kHungarian = 0;

// "v" and the major, minor and revision numbers of the program's own file version: 1.2.0.1 reads
// v1.2.1.
std::wstring ProgramVersionText(platform::VersionResources& resources)
{
    // The program's own file, found by its module handle, so a renamed copy still knows itself.
    std::vector<wchar_t> path(32768);
    const std::uint32_t length = resources.ModuleFileName(resources.RunningModule(), path);
    VersionInfo info(resources);
    info.FileName(std::wstring_view(path.data(), length < path.size() ? length : 0));
    const auto parts = info.FileVersionParts();
    return L"v" + std::to_wstring(parts[0]) + L"." + std::to_wstring(parts[1]) + L"." +
           std::to_wstring(parts[3]);
}

} // namespace

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
      imgLangENG_hl(form_.control(L"imgLangENG_hl")),
      imgLangHUN_hl(form_.control(L"imgLangHUN_hl")), lblVersion(form_.control(L"lblVersion")),
      lblHomepage(form_.control(L"lblHomepage")), tmrLang(form_.control(L"tmrLang"))
{
    form_.onLoad = [this] { Form_Load(); };
    ComNew.onClick = [this] { ComNew_Click(); };
    ComEdit.onClick = [this] { ComEdit_Click(); };
    recList.onDblClick = [this] { recList_DblClick(); };
    recList.onKeyPress = [this](int keyAscii) { recList_KeyPress(keyAscii); };
    ComDel.onClick = [this] { ComDel_Click(); };
    ComExit.onClick = [this] { ComExit_Click(); };
    BindMainWindowEvents();
}

void frmTolvan::BindMainWindowEvents()
{
    recList.onClick = [this] { recList_Click(); };
    form_.onMouseMove = [this] { Form_MouseMove(); };
    tmrLang.onTimer = [this] { tmrLang_Timer(); };
    imgLangENG.onMouseMove = [this] { EnterHover(kHoverEnglishFlag); };
    imgLangHUN.onMouseMove = [this] { EnterHover(kHoverHungarianFlag); };
    lblHomepage.onMouseMove = [this] { EnterHover(kHoverHomePage); };
    imgLangENG_hl.onClick = [this] { ChooseLanguage(kEnglish); };
    imgLangHUN_hl.onClick = [this] { ChooseLanguage(kHungarian); };
    lblHomepage.onClick = [this] { lblHomepage_Click(); };
}

void frmTolvan::Show()
{
    windows_.Show(form_);
}

void frmTolvan::Form_Load()
{
    lblVersion.SetCaption(ProgramVersionText(platform_.versions));
    for (platform::window::Control* placeholder :
         {&lblProduct, &lblDescr, &lblCopyright, &lblPath, &lblRegName, &lblRegValue, &lblTopkey}) {
        placeholder->SetCaption(L"");
    }
    // Before the texts are applied: the scope line stays empty until an entry is shown.
    shownTopKey = -1;
    imgLangHUN_hl.SetLeft(imgLangHUN.Left());
    imgLangHUN_hl.SetTop(imgLangHUN.Top());
    imgLangENG_hl.SetLeft(imgLangENG.Left());
    imgLangENG_hl.SetTop(imgLangENG.Top());
    ResetHover();
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
    ShowScope();
    lblTitle.SetCaption(form_.Caption());
}

void frmTolvan::recList_Click()
{
    const int index = recList.ListIndex();
    if (index < 0 || index >= modTolvan::entryCount()) {
        return;
    }
    ComEdit.SetEnabled(true);
    ComDel.SetEnabled(true);
    selIndex = static_cast<std::int16_t>(index);
    const modTolvan::RunEntry& entry = modTolvan::entries[static_cast<std::size_t>(selIndex)];

    if (!entry.ProductName.empty() || !entry.FileDescription.empty()) {
        // A file that names itself the same way twice shows the name once.
        lblProduct.SetCaption(entry.ProductName == entry.FileDescription ? std::wstring()
                                                                         : entry.ProductName);
        lblDescr.SetCaption(entry.FileDescription);
    } else {
        lblProduct.SetCaption(L"");
        lblDescr.SetCaption(
            modTolvan::FileExists(platform_, entry.ExePath)
                ? modTolvan::LangText(L"nem áll rendelkezésre információ",
                                      L"no information available")
                : modTolvan::LangText(L"a megadott fájl nem létezik", L"file is missing"));
    }
    lblCopyright.SetCaption(entry.CompanyName);
    lblProduct.SetTooltip(L"Termék neve");
    lblDescr.SetTooltip(L"Program leírása");
    lblCopyright.SetTooltip(L"Gyártó");

    shownTopKey = entry.TopKey;
    ShowScope();

    lblRegName.SetCaption(entry.Name);
    lblRegValue.SetCaption(entry.Value);
    lblPath.SetCaption(entry.ExePath);
    lblPath.SetTooltip(entry.ExePath);
}

void frmTolvan::ShowScope()
{
    if (shownTopKey == -1) {
        return;
    }
    std::wstring line = modTolvan::LangText(L"Hatáskör:", L"Scope:") + L" ";
    if (shownTopKey == platform::reg::kCurrentUser) {
        line += modTolvan::LangText(L"Jelenlegi felhasználó", L"Current user");
    } else if (shownTopKey == platform::reg::kLocalMachine) {
        line += modTolvan::LangText(L"Összes felhasználó", L"All users");
    }
    lblTopkey.SetCaption(line);
}

void frmTolvan::ResetHover()
{
    hoverState = kHoverNone;
    tmrLang.SetTimerEnabled(false);
    imgLangENG_hl.SetVisible(false);
    imgLangHUN_hl.SetVisible(false);
    lblHomepage.SetForeColour(kHomePageColour);
    lblHomepage.SetUnderline(false);
}

void frmTolvan::EnterHover(std::int16_t target)
{
    if (hoverState == target) {
        return;
    }
    ResetHover();
    hoverState = target;
    switch (target) {
    case kHoverEnglishFlag:
        imgLangENG_hl.SetVisible(true);
        break;
    case kHoverHungarianFlag:
        imgLangHUN_hl.SetVisible(true);
        break;
    case kHoverHomePage:
        lblHomepage.SetForeColour(kHomePageLitColour);
        lblHomepage.SetUnderline(true);
        break;
    default:
        break;
    }
    // The mouse may leave the window straight from the target, without crossing the bare
    // surface; the timer notices that.
    tmrLang.SetTimerEnabled(true);
}

void frmTolvan::Form_MouseMove()
{
    if (hoverState != kHoverNone) {
        ResetHover();
    }
}

void frmTolvan::tmrLang_Timer()
{
    if (hoverState <= kHoverNone) {
        return;
    }
    // Both in screen pixels, so the test holds at any resolution.
    cursorPos = windows_.CursorPos();
    const platform::window::ScreenRect window = windows_.OuterRect(form_);
    if (cursorPos.x < window.left || cursorPos.x >= window.right || cursorPos.y < window.top ||
        cursorPos.y >= window.bottom) {
        ResetHover();
    }
}

void frmTolvan::ChooseLanguage(std::int32_t language)
{
    // A failed save only costs the choice at the next start; the window follows the click.
    static_cast<void>(modRegistry::SaveLanguage(platform_.registry, language));
    ApplyLanguage(language);
}

void frmTolvan::lblHomepage_Click()
{
    modMendalCommon::OpenHomePage(platform_.shell, windows_, form_);
}

} // namespace ui
