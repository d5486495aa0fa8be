#pragma once

#include "ui/LanguageSetting.h"

#include <string>
#include <string_view>

namespace ui {

// The language the windows speak, shared by every window of the run: a change shows in the next
// text any of them produces. Every text the user reads exists in Hungarian and in English.
class InterfaceLanguage {
public:
    explicit InterfaceLanguage(ui::Language language = ui::Language::Hungarian) noexcept
        : language_(language)
    {
    }

    [[nodiscard]] ui::Language Current() const noexcept { return language_; }
    void Set(ui::Language language) noexcept { language_ = language; }

    // The form of the text in the current language.
    [[nodiscard]] std::wstring Text(std::wstring_view hungarian, std::wstring_view english) const
    {
        return std::wstring(language_ == ui::Language::English ? english : hungarian);
    }

private:
    ui::Language language_;
};

} // namespace ui
