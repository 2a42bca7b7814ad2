// SPDX-License-Identifier: Apache-2.0
#include "batch/Language.h"

#include <atomic>
#include <cstdlib>
#include <string_view>

namespace marlo {

namespace {

std::atomic<Language> current{Language::kTraditional};

}  // namespace

Language LanguageOfLocale(std::string_view localeName) {
  // "zh_CN.UTF-8", "en_US@euro": the language and territory come first.
  const std::string_view name = localeName.substr(0, localeName.find_first_of(".@"));
  if (name == "zh_CN" || name == "zh_SG") return Language::kSimplified;
  if (name == "en" || name.starts_with("en_")) return Language::kEnglish;
  return Language::kTraditional;
}

Language LocaleLanguage() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"})
    if (const char* value = std::getenv(variable); value && *value) return LanguageOfLocale(value);
  return Language::kTraditional;
}

std::optional<Language> LanguageNamed(std::string_view code) {
  for (const Language language :
       {Language::kTraditional, Language::kSimplified, Language::kEnglish})
    if (code == LanguageCode(language)) return language;
  return std::nullopt;
}

const char* LanguageCode(Language language) {
  switch (language) {
    case Language::kSimplified:
      return "zh_CN";
    case Language::kEnglish:
      return "en";
    case Language::kTraditional:
      break;
  }
  return "zh_TW";
}

void SetLanguage(Language language) { current.store(language, std::memory_order_relaxed); }

Language CurrentLanguage() { return current.load(std::memory_order_relaxed); }

}  // namespace marlo
