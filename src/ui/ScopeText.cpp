#include "ScopeText.h"

namespace ui {

std::wstring ScopeText(const InterfaceLanguage& language, entries::Scope scope)
{
    switch (scope) {
    case entries::Scope::CurrentUser:
        return language.Text(UiText::CurrentUser);
    case entries::Scope::AllUsers:
        return language.Text(UiText::AllUsers);
    case entries::Scope::AllUsers32Bit:
        return language.Text(UiText::AllUsers32Bit);
    case entries::Scope::CurrentUserStartupFolder:
        return language.Text(UiText::CurrentUserStartupFolder);
    case entries::Scope::AllUsersStartupFolder:
        return language.Text(UiText::AllUsersStartupFolder);
    case entries::Scope::CurrentUserPolicy:
        return language.Text(UiText::CurrentUserPolicy);
    case entries::Scope::AllUsersPolicy:
        return language.Text(UiText::AllUsersPolicy);
    case entries::Scope::CurrentUserOnce:
        return language.Text(UiText::CurrentUserOnce);
    case entries::Scope::AllUsersOnce:
        return language.Text(UiText::AllUsersOnce);
    case entries::Scope::AllUsersOnce32Bit:
        return language.Text(UiText::AllUsersOnce32Bit);
    }
    return {};
}

} // namespace ui
