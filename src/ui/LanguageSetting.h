#pragma once

#include "platform/Registry.h"

#include <cstdint>
#include <string_view>

namespace ui {

// The language the interface speaks.
enum class Language : std::uint8_t { Hungarian, English };

// Where the choice is kept, under the current user: 2 bytes of REG_BINARY, 01 00 for English and
// 00 00 for Hungarian.
inline constexpr platform::NulTerminated kSettingsKeyPath = L"Software\\Kavrenta";
inline constexpr platform::NulTerminated kLanguageValueName = L"Language";

// The stored language: any stored number but 0 means English. Hungarian when nothing is stored
// or it cannot be read (another size, say).
[[nodiscard]] Language LoadLanguage(platform::Registry& registry);

// Stores the language; true when it was stored.
bool SaveLanguage(platform::Registry& registry, Language language);

} // namespace ui
