#include "ScopeText.h"

namespace ui {

std::wstring ScopeText(const InterfaceLanguage& language, entries::Scope scope)
{
    switch (scope) {
    case entries::Scope::CurrentUser:
        return language.Text(L"Jelenlegi felhasználó", L"Current user");
    case entries::Scope::AllUsers:
        return language.Text(L"Összes felhasználó", L"All users");
    case entries::Scope::AllUsers32Bit:
        return language.Text(L"Összes felhasználó (32 bites)", L"All users (32-bit)");
    case entries::Scope::CurrentUserStartupFolder:
        return language.Text(L"Jelenlegi felhasználó (Indítópult mappa)",
                             L"Current user (Startup folder)");
    case entries::Scope::AllUsersStartupFolder:
        return language.Text(L"Összes felhasználó (Indítópult mappa)",
                             L"All users (Startup folder)");
    }
    return {};
}

} // namespace ui
