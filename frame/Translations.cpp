// SPDX-License-Identifier: Apache-2.0
#include "frame/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace marlo {

namespace {

// The installed translators, replaced as a whole on a change of language.
QTranslator* ownTranslator = nullptr;
QTranslator* qtTranslator = nullptr;

void Remove(QTranslator*& translator) {
  if (!translator) return;
  QCoreApplication::removeTranslator(translator);
  delete translator;
  translator = nullptr;
}

}  // namespace

Language WindowLanguage(std::optional<Language> chosen) {
  return chosen.value_or(LocaleLanguage());
}

bool InstallTranslations(Language language) {
  SetLanguage(language);
  Remove(ownTranslator);
  Remove(qtTranslator);
  // The captions are written in traditional Chinese: that language needs
  // only Qt's words.
  if (language != Language::kTraditional) {
    ownTranslator = new QTranslator;
    if (ownTranslator->load(QStringLiteral(":/i18n/marlo_") + LanguageCode(language)))
      QCoreApplication::installTranslator(ownTranslator);
    else
      qWarning("marlo: the %s translation is missing from the program", LanguageCode(language));
  }
  // Qt speaks English by itself.
  if (language == Language::kEnglish) return true;
  qtTranslator = new QTranslator;
  const QString qtName = language == Language::kSimplified ? QStringLiteral("qtbase_zh_CN")
                                                           : QStringLiteral("qtbase_zh_TW");
  if (!qtTranslator->load(qtName, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) return false;
  QCoreApplication::installTranslator(qtTranslator);
  return true;
}

QString UserWord(const char* source) { return QCoreApplication::translate("UserTexts", source); }

}  // namespace marlo
