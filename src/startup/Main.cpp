#include "modTolvan.h"
#include "registry/modRegistry.h"

namespace modTolvan {

namespace {

constexpr std::wstring_view kApplicationTitle = L"Tolvan";

constexpr std::wstring_view kRefusalHungarian =
    L"A fájl futtatásához rendszergazdai jogosultság szükséges.\r\n"
    L"Klikkelj jobb egérgombbal az exe fájlra és válaszd a 'Futtatás rendszergazdaként' pontot.";
constexpr std::wstring_view kRefusalEnglish =
    L"You need administrative privileges to run this tool.\r\n"
    L"Right click on the exe and select 'Run as Administrator'.";

} // namespace

void Main(platform::Platform& platform, MainWindowHost& mainWindow)
{
    // The language comes first, so that the refusal below already speaks it.
    langFlag = modRegistry::LoadLanguage(platform.registry);

    if (platform.shell.IsUserAnAdmin() == 0) {
        (void)platform.messageBox.Show(0, LangText(kRefusalHungarian, kRefusalEnglish),
                                       kApplicationTitle,
                                       platform::mb::kOk | platform::mb::kIconExclamation);
        return;
    }

    ClearEntries();
    mainWindow.ShowMainWindow();
}

} // namespace modTolvan
