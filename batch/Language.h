// SPDX-License-Identifier: Apache-2.0
// The language the program speaks: the captions as written (traditional
// Chinese), simplified Chinese or English. The window and marlo-convert
// choose it by the same rule.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace marlo {

enum class Language : uint8_t { kTraditional, kSimplified, kEnglish };

// zh_CN and zh_SG read simplified, en_* English; every other locale,
// zh_TW, zh_HK, C and none at all included, the captions as written.
Language LanguageOfLocale(std::string_view localeName);

// The locale's language for messages, from LC_ALL, LC_MESSAGES or LANG,
// the first that is set, as the C library picks it. The window's rule: a
// desktop session always has a real locale, and under C the captions show
// as written.
Language LocaleLanguage();

// marlo-convert's rule, gettext's: under the C or POSIX locale (also
// C.UTF-8, and with none set) English, as scripts and servers expect;
// otherwise the first entry of LANGUAGE ("zh_CN:en") that it speaks, else
// the locale's language.
Language CommandLineLanguage();

// The stored choice of the settings window: "zh_TW", "zh_CN" or "en";
// nothing (follow the locale) for anything else, "auto" included.
std::optional<Language> LanguageNamed(std::string_view code);
const char* LanguageCode(Language language);

// What marlo::text::Tr translates into; set once at start.
void SetLanguage(Language language);
Language CurrentLanguage();

}  // namespace marlo
