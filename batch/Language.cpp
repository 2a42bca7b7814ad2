// SPDX-License-Identifier: Apache-2.0
#include "batch/Language.h"

#include <atomic>
#include <cstdlib>
#include <optional>
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

namespace {

// The locale for messages, as the C library picks it; empty for none.
std::string_view MessagesLocale() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"})
    if (const char* value = std::getenv(variable); value && *value) return value;
  return {};
}

// A LANGUAGE entry's language, if it is one spoken here.
std::optional<Language> SpokenLanguage(std::string_view entry) {
  const std::string_view name = entry.substr(0, entry.find_first_of(".@"));
  if (name == "zh_CN" || name == "zh_SG") return Language::kSimplified;
  if (name == "zh" || name == "zh_TW" || name == "zh_HK" || name == "zh_MO")
    return Language::kTraditional;
  if (name == "en" || name.starts_with("en_")) return Language::kEnglish;
  return std::nullopt;
}

}  // namespace

Language LocaleLanguage() {
  const std::string_view locale = MessagesLocale();
  return locale.empty() ? Language::kTraditional : LanguageOfLocale(locale);
}

Language CommandLineLanguage() {
  const std::string_view locale = MessagesLocale();
  const std::string_view name = locale.substr(0, locale.find_first_of(".@"));
  if (name.empty() || name == "C" || name == "POSIX") return Language::kEnglish;
  if (const char* list = std::getenv("LANGUAGE")) {
    std::string_view entries = list;
    while (!entries.empty()) {
      const size_t colon = entries.find(':');
      if (const auto spoken = SpokenLanguage(entries.substr(0, colon))) return *spoken;
      entries = colon == std::string_view::npos ? std::string_view() : entries.substr(colon + 1);
    }
  }
  return LanguageOfLocale(locale);
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
