#include "LanguageSetting.h"

#include "registry/RegistryValues.h"

namespace ui {

namespace reg = platform::reg;

Language LoadLanguage(platform::Registry& registry)
{
    std::int32_t stored = 0;
    const platform::ErrorCode result = registry::ReadBinaryNumber(
        registry, {reg::kCurrentUser, kSettingsKeyPath}, kLanguageValueName, 0, stored);
    return result == reg::kSuccess && stored != 0 ? Language::English : Language::Hungarian;
}

bool SaveLanguage(platform::Registry& registry, Language language)
{
    const std::int32_t number = language == Language::English ? 1 : 0;
    return registry::WriteBinaryNumber(registry, {reg::kCurrentUser, kSettingsKeyPath},
                                       kLanguageValueName, number) == reg::kSuccess;
}

} // namespace ui
