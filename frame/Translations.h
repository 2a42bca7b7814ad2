// SPDX-License-Identifier: Apache-2.0
// The windows' language: the program's own translations (embedded) and Qt's
// for its buttons and dialogs, and the words the batch shares with
// marlo-convert.
#pragma once

#include <QString>
#include <optional>

#include "batch/Language.h"

namespace marlo {

// The stored choice if there is one, else the locale's.
Language WindowLanguage(std::optional<Language> chosen);

// Replaces the translations installed before; windows built afterwards
// speak the language. Returns false when Qt's own translations for it are
// not installed (its buttons then stay in English).
bool InstallTranslations(Language language);

// One of the batch's words (marlo::text) in the window's language.
QString UserWord(const char* source);

}  // namespace marlo
