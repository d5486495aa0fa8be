#include "InterfaceTexts.h"

#include <array>

namespace ui {
namespace {

// In the order of UiText.
constexpr std::array kTexts{
    TextPair{L"Jelenlegi felhasználó", L"Current user"},
    TextPair{L"Összes felhasználó", L"All users"},
    TextPair{L"Összes felhasználó (32 bites)", L"All users (32-bit)"},
    TextPair{L"Jelenlegi felhasználó (Indítópult mappa)", L"Current user (Startup folder)"},
    TextPair{L"Összes felhasználó (Indítópult mappa)", L"All users (Startup folder)"},
    TextPair{L"Jelenlegi felhasználó (házirend)", L"Current user (policy)"},
    TextPair{L"Összes felhasználó (házirend)", L"All users (policy)"},
    TextPair{L"Jelenlegi felhasználó (egyszer)", L"Current user (once)"},
    TextPair{L"Összes felhasználó (egyszer)", L"All users (once)"},
    TextPair{L"Összes felhasználó (egyszer, 32 bites)", L"All users (once, 32-bit)"},

    TextPair{L"Windows indulásakor induló programok", L"Manage Windows startup programs"},
    TextPair{L"Program leírása", L"Application description"},
    TextPair{L"EXE fájl helye", L"Location of EXE file"},
    TextPair{L"Registry értékek", L"Registry values"},
    TextPair{L"Név:", L"Name:"},
    TextPair{L"Érték:", L"Value:"},
    TextPair{L"Új", L"New"},
    TextPair{L"Szerkeszt", L"Edit"},
    TextPair{L"Töröl", L"Delete"},
    TextPair{L"Bezár", L"Close"},
    TextPair{L"Letilt", L"Disable"},
    TextPair{L"Engedélyez", L"Enable"},
    TextPair{L"olvasás…", L"reading…"},
    TextPair{L"nem áll rendelkezésre információ", L"no information available"},
    TextPair{L"a megadott fájl nem létezik", L"file is missing"},
    TextPair{L"Hatáskör:", L"Scope:"},
    TextPair{L", letiltva", L", disabled"},
    TextPair{L", letiltva %1 óta", L", disabled since %1"},
    TextPair{L", állapota nem olvasható", L", state unreadable"},
    TextPair{L", rejtett név", L", hidden name"},
    TextPair{L"Beolvasás…", L"Reading…"},
    TextPair{L"Beolvasás… %1 / %2", L"Reading… %1 of %2"},
    TextPair{L"ellenőrzés…", L"checking…"},
    TextPair{L"Aláíró: %1 (ellenőrizve)", L"Signed by: %1 (verified)"},
    TextPair{L"Aláíró: %1 (nem megbízható tanúsítvány)",
             L"Signed by: %1 (certificate not trusted)"},
    TextPair{L"Az aláírás érvénytelen: a fájl megváltozott",
             L"Signature not valid: the file was changed"},
    TextPair{L"Nincs aláírva", L"Not signed"},
    TextPair{L"Az aláírás nem ellenőrizhető: %1", L"Signature can't be checked: %1"},

    TextPair{L"Fájl helyének megnyitása", L"Open file location"},
    TextPair{L"Aláírás részletei", L"Signature details"},
    TextPair{L"Tulajdonságok", L"Properties"},
    TextPair{L"Parancs másolása", L"Copy command"},
    TextPair{L"Lista mentése…", L"Save list…"},

    TextPair{L"Szerkesztés", L"Editing"},
    TextPair{L"Fájl elérési út hozzáadása...", L"Add file path..."},
    TextPair{L"Hatáskör:", L"Range:"},
    TextPair{L"(a név bármi lehet, csak legyen egyedi)",
             L"(the name can be anything, just be unique)"},
    TextPair{L"Mentés", L"Save"},
    TextPair{L"Mégse", L"Cancel"},
    TextPair{L"Minden fájl", L"All Files"},
    TextPair{L"Válassz egy fájl-t", L"Select a file"},
    TextPair{L"Már van „%1” nevű bejegyzés itt: %2. Lecseréli?",
             L"An entry named \"%1\" already exists in %2. Replace it?"},
    TextPair{L"A bejegyzést közben egy másik program megváltoztatta vagy törölte. Mégis mentsem?",
             L"Another program changed or removed this entry while you were editing it. Save "
             L"anyway?"},

    TextPair{L"Hiba", L"Error"},
    TextPair{L"A lista nem teljes, mert nem minden olvasható be:",
             L"The list is not complete: not everything can be read:"},
    TextPair{L", a bejegyzések állapota", L", the entries' state"},
    TextPair{L"(és még %1 bejegyzés)", L"(and %1 more entries)"},
    TextPair{L"Ez az elem nem szerkeszthető.", L"This item can't be edited."},
    TextPair{L"Biztos hogy törölni szeretné ezt a registry bejegyzést?",
             L"Are you sure you want to delete this registry entry?"},
    TextPair{L"Nem törölhető a registry bejegyzés.\r\n%1", L"Can't delete registry entry.\r\n%1"},
    TextPair{L"Nem módosítható a registry bejegyzés.\r\n%1", L"Can't modify registry entry.\r\n%1"},
    TextPair{L"Nem módosítható a fájl: %1\r\n%2", L"Can't change the file: %1\r\n%2"},
    TextPair{L"Nem módosítható a bejegyzés be/ki kapcsolója.\r\n%1",
             L"Can't change the entry's on/off switch.\r\n%1"},
    TextPair{L"A bejegyzés törölve, de a be/ki kapcsolóját nem sikerült törölni.\r\n%1",
             L"The entry was deleted, but its on/off switch could not be removed.\r\n%1"},
    TextPair{L"Próbálja meg a programot rendszergazdaként futtatni.",
             L"Try running this application with administrator rights."},
    TextPair{L"Nem sikerült megnyitni a fájl helyét.", L"Can't open the file's location."},
    TextPair{L"Nem sikerült megjeleníteni a fájl tulajdonságait.",
             L"Can't show the file's properties."},
    TextPair{L"Nem sikerült a parancsot a vágólapra másolni.",
             L"Can't copy the command to the clipboard."},
    TextPair{L"Lista mentése", L"Save list"},
    TextPair{L"CSV-fájl (*.csv)", L"CSV file (*.csv)"},
    TextPair{L"Szöveges jelentés (*.txt)", L"Text report (*.txt)"},
    TextPair{L"A lista nem menthető:\r\n%1", L"Can't save the list:\r\n%1"},
    TextPair{L"Windows indulásakor induló programok: %1, %2",
             L"Programs Windows starts at logon: %1, %2"},
    TextPair{L"Hatáskör", L"Scope"},
    TextPair{L"Név", L"Name"},
    TextPair{L"Parancs", L"Command"},
    TextPair{L"Program", L"Program"},
    TextPair{L"Termék", L"Product"},
    TextPair{L"Leírás", L"Description"},
    TextPair{L"Gyártó", L"Company"},
    TextPair{L"Letiltva", L"Disabled"},
    TextPair{L"Letiltás ideje", L"Disabled since"},
    TextPair{L"Aláírás", L"Signature"},
    TextPair{L"Aláíró", L"Signer"},
    TextPair{L"igen", L"yes"},
    TextPair{L"nem", L"no"},
    TextPair{L"ellenőrizve", L"verified"},
    TextPair{L"nem megbízható tanúsítvány", L"certificate not trusted"},
    TextPair{L"a fájl megváltozott", L"file changed"},
    TextPair{L"nincs aláírva", L"not signed"},
    TextPair{L"nem ellenőrizhető", L"can't be checked"},
    TextPair{L"Aláíró: %1", L"Signer: %1"},
    TextPair{L"Kibocsátó: %1", L"Issued by: %1"},
    TextPair{L"Aláírás ideje: %1", L"Signed on: %1"},
    TextPair{L"Tanúsítvány érvényessége: %1 – %2", L"Certificate valid from %1 to %2"},
    TextPair{L"SHA-256 ujjlenyomat: %1", L"SHA-256 thumbprint: %1"},
    TextPair{L"Katalógus: %1", L"Catalog: %1"},
    TextPair{L"Az aláírás a fájlban van.", L"The signature is in the file itself."},
    TextPair{L"A fájl futtatásához rendszergazdai jogosultság szükséges.\r\n"
             L"Klikkelj jobb egérgombbal az exe fájlra és válaszd a 'Futtatás rendszergazdaként' "
             L"pontot.",
             L"You need administrative privileges to run this tool.\r\n"
             L"Right click on the exe and select 'Run as Administrator'."},
};
static_assert(kTexts.size() == static_cast<std::size_t>(UiText::AdministratorNeeded) + 1,
              "one pair of texts for every UiText");

} // namespace

TextPair TextsOf(UiText text) noexcept
{
    return kTexts[static_cast<std::size_t>(text)];
}

} // namespace ui
