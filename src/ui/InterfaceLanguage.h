#pragma once

#include "registry/LanguageSetting.h"

#include <string>
#include <string_view>

namespace ui {

// The language the windows speak, shared by every window of the run: a change shows in the next
// text any of them produces. Every text the user reads exists in Hungarian and in English.
class InterfaceLanguage {
public:
    explicit InterfaceLanguage(registry::Language language = registry::Language::Hungarian) noexcept
        : language_(language)
    {
    }

    [[nodiscard]] registry::Language Current() const noexcept { return language_; }
    void Set(registry::Language language) noexcept { language_ = language; }

    // The form of the text in the current language.
    [[nodiscard]] std::wstring Text(std::wstring_view hungarian, std::wstring_view english) const
    {
        return std::wstring(language_ == registry::Language::English ? english : hungarian);
    }

private:
    registry::Language language_;
};

} // namespace ui
