#pragma once

#include "InterfaceTexts.h"
#include "LanguageSetting.h"

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace ui {

// The language the windows speak, shared by every window of the run: a change shows in the next
// text any of them produces. Every text the user reads exists in Hungarian and in English.
class InterfaceLanguage {
public:
    explicit InterfaceLanguage(Language language = Language::Hungarian) noexcept
        : language_(language)
    {
    }

    [[nodiscard]] Language Current() const noexcept { return language_; }
    void Set(Language language) noexcept { language_ = language; }

    // The text in the current language.
    [[nodiscard]] std::wstring Text(UiText text) const
    {
        const TextPair pair = TextsOf(text);
        return std::wstring(language_ == Language::English ? pair.english : pair.hungarian);
    }

    // The text in the current language with `values` in place of its %1, %2, ...
    [[nodiscard]] std::wstring Text(UiText text,
                                    std::initializer_list<std::wstring_view> values) const
    {
        const std::wstring pattern = Text(text);
        std::wstring filled;
        for (std::size_t at = 0; at < pattern.size(); ++at) {
            const std::size_t number = at + 1 < pattern.size() && pattern[at] == L'%'
                                           ? static_cast<std::size_t>(pattern[at + 1] - L'1')
                                           : values.size();
            if (number < values.size()) {
                filled += *(values.begin() + number);
                ++at;
            } else {
                filled += pattern[at];
            }
        }
        return filled;
    }

private:
    Language language_;
};

} // namespace ui
