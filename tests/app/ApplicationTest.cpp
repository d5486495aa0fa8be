// The start procedure: the stored language, the administrator test and the refusal.
#include "app/Application.h"

#include "entries/Scope.h"
#include "portable/HeadlessWindowSystem.h"
#include "ui/LanguageSetting.h"
#include "registry/RegistryValues.h"
#include "support/ScriptedPlatform.h"

#include <gtest/gtest.h>

namespace tolvan::test {
namespace {

using namespace platform;
using ui::Language;

class StartUp : public ::testing::Test, protected ScriptedPlatform {
protected:
    void StoreLanguageNumber(std::int32_t number)
    {
        ASSERT_EQ(registry::WriteBinaryNumber(registry,
                                              {reg::kCurrentUser, ui::kSettingsKeyPath},
                                              ui::kLanguageValueName, number),
                  reg::kSuccess);
    }

    portable::HeadlessWindowSystem windows;
    app::Application application{services, windows};
};

TEST_F(StartUp, WithoutRightsAStoredEnglishChoiceGivesTheEnglishRefusalAndNoWindow)
{
    shell.isAdministrator = false;
    StoreLanguageNumber(1);
    EXPECT_FALSE(application.Start());

    EXPECT_EQ(shell.adminQueries, 1);
    ASSERT_EQ(messageBox.shown.size(), 1u);
    EXPECT_EQ(messageBox.shown[0].text,
              L"You need administrative privileges to run this tool.\r\n"
              L"Right click on the exe and select 'Run as Administrator'.");
    EXPECT_EQ(messageBox.shown[0].title, L"Tolvan");
    EXPECT_EQ(messageBox.shown[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(messageBox.shown[0].icon, MessageIcon::Warning);
    EXPECT_EQ(application.MainWindow(), nullptr);
    EXPECT_EQ(windows.ModalShowings(), 0);
}

TEST_F(StartUp, WithoutRightsAndWithoutAStoredChoiceTheRefusalIsHungarian)
{
    shell.isAdministrator = false;
    EXPECT_FALSE(application.Start());
    ASSERT_EQ(messageBox.shown.size(), 1u);
    EXPECT_EQ(messageBox.shown[0].text,
              L"A fájl futtatásához rendszergazdai jogosultság szükséges.\r\n"
              L"Klikkelj jobb egérgombbal az exe fájlra és válaszd a 'Futtatás "
              L"rendszergazdaként' pontot.");
    EXPECT_EQ(application.MainWindow(), nullptr);
}

TEST_F(StartUp, AnyNonzeroStoredChoiceMeansEnglish)
{
    shell.isAdministrator = false;
    StoreLanguageNumber(0x0102);
    EXPECT_FALSE(application.Start());
    EXPECT_EQ(application.Language().Current(), Language::English);
    ASSERT_EQ(messageBox.shown.size(), 1u);
    EXPECT_EQ(messageBox.shown[0].text.substr(0, 8), L"You need");
}

TEST_F(StartUp, WithRightsTheMainWindowOpensInTheStoredLanguageWithItsListFilled)
{
    StoreLanguageNumber(1);
    ASSERT_EQ(registry::WriteString(registry, {reg::kCurrentUser, entries::kRunKeyPath}, L"Tray",
                                    L"C:\\T\\tray.exe"),
              reg::kSuccess);
    EXPECT_TRUE(application.Start());
    EXPECT_TRUE(messageBox.shown.empty());
    ASSERT_NE(application.MainWindow(), nullptr);
    ui::MainWindow& window = *application.MainWindow();
    EXPECT_TRUE(windows.IsShown(window.Form()));
    EXPECT_EQ(window.Form().Caption(), L"Manage Windows startup programs");
    EXPECT_EQ(window.Controls().entryList.Items(),
              std::vector<std::wstring>{L"Tray;  (C:\\T\\tray.exe)"});
}

} // namespace
} // namespace tolvan::test
