// The start procedure: the stored language, the administrator test and the refusal.
#include "platform/portable/CaseFoldCollation.h"
#include "platform/portable/DriveMapFileSearch.h"
#include "platform/portable/MemoryRegistry.h"
#include "platform/portable/PeVersionResources.h"
#include "platform/portable/ScriptedFileDialogs.h"
#include "platform/portable/ScriptedMessageBox.h"
#include "platform/portable/ScriptedShell.h"
#include "registry/modRegistry.h"
#include "startup/modTolvan.h"

#include <gtest/gtest.h>

namespace tolvan::test {
namespace {

using namespace platform;

class RecordingMainWindow final : public modTolvan::MainWindowHost {
public:
    void ShowMainWindow() override
    {
        ++shows;
        entryCountWhenShown = modTolvan::entryCount();
    }
    int shows = 0;
    std::int32_t entryCountWhenShown = -1;
};

// Remembers the language in force when the administrator test is made.
class LanguageCheckingShell final : public Shell {
public:
    std::int32_t IsUserAnAdmin() noexcept override
    {
        languageWhenAsked = modTolvan::langFlag;
        return isAdmin;
    }
    std::intptr_t OpenAddress(WindowId, std::wstring_view, std::wstring_view,
                              std::int32_t) noexcept override
    {
        return 0;
    }
    std::int32_t isAdmin = 0;
    std::int32_t languageWhenAsked = -99;
};

class StartUp : public ::testing::Test {
protected:
    void SetUp() override
    {
        modTolvan::langFlag = 0;
        modTolvan::ClearEntries();
    }
    void TearDown() override
    {
        modTolvan::langFlag = 0;
        modTolvan::ClearEntries();
    }
    void StoreLanguage(std::int32_t language)
    {
        ASSERT_TRUE(modRegistry::SaveLanguage(registry, language));
    }
    void RunMain() { modTolvan::Main(services, mainWindow); }

    portable::MemoryRegistry registry;
    LanguageCheckingShell shell;
    portable::ScriptedMessageBox messageBox;
    portable::DriveMap drives;
    portable::DriveMapFileSearch files{drives};
    portable::CaseFoldCollation collation;
    portable::PeVersionResources versions{drives.Resolver()};
    portable::ScriptedFileDialogs fileDialogs;
    Platform services{registry, shell, messageBox, files, collation, versions, fileDialogs};
    RecordingMainWindow mainWindow;
};

TEST_F(StartUp, WithoutRightsAStoredEnglishChoiceGivesTheEnglishRefusalAndNoWindow)
{
    StoreLanguage(1);
    modTolvan::AddEntry(reg::kCurrentUser, L"left", L"alone");
    RunMain();

    EXPECT_EQ(shell.languageWhenAsked, 1);
    ASSERT_EQ(messageBox.shown.size(), 1u);
    EXPECT_EQ(messageBox.shown[0].text,
              L"You need administrative privileges to run this tool.\r\n"
              L"Right click on the exe and select 'Run as Administrator'.");
    EXPECT_EQ(messageBox.shown[0].title, L"Tolvan");
    EXPECT_EQ(messageBox.shown[0].style, 0x30u);
    EXPECT_EQ(mainWindow.shows, 0);
    EXPECT_EQ(modTolvan::entryCount(), 1); // nothing else ran
}

TEST_F(StartUp, WithoutRightsAndWithoutAStoredChoiceTheRefusalIsHungarian)
{
    RunMain();
    EXPECT_EQ(shell.languageWhenAsked, 0);
    ASSERT_EQ(messageBox.shown.size(), 1u);
    EXPECT_EQ(messageBox.shown[0].text,
              L"A fájl futtatásához rendszergazdai jogosultság szükséges.\r\n"
              L"Klikkelj jobb egérgombbal az exe fájlra és válaszd a 'Futtatás "
              L"rendszergazdaként' pontot.");
    EXPECT_EQ(messageBox.shown[0].style, 0x30u);
    EXPECT_EQ(mainWindow.shows, 0);
}

TEST_F(StartUp, AnyNonzeroStoredChoiceMeansEnglish)
{
    StoreLanguage(0x0102);
    RunMain();
    EXPECT_EQ(modTolvan::langFlag, 0x0102);
    ASSERT_EQ(messageBox.shown.size(), 1u);
    EXPECT_EQ(messageBox.shown[0].text.substr(0, 8), L"You need");
}

TEST_F(StartUp, WithRightsTheMainWindowOpensOnAnEmptyTable)
{
    shell.isAdmin = 2; // every nonzero answer counts as yes
    StoreLanguage(1);
    modTolvan::AddEntry(reg::kCurrentUser, L"stale", L"x");
    RunMain();
    EXPECT_TRUE(messageBox.shown.empty());
    EXPECT_EQ(mainWindow.shows, 1);
    EXPECT_EQ(mainWindow.entryCountWhenShown, 0);
    EXPECT_EQ(modTolvan::langFlag, 1);
}

TEST(LangText, PicksEnglishForAnyNonzeroFlag)
{
    for (const std::int32_t flag : {1, -1, 7}) {
        modTolvan::langFlag = flag;
        EXPECT_EQ(modTolvan::LangText(L"Töröl", L"Delete"), L"Delete");
    }
    modTolvan::langFlag = 0;
    EXPECT_EQ(modTolvan::LangText(L"Töröl", L"Delete"), L"Töröl");
}

} // namespace
} // namespace tolvan::test
