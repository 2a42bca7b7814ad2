// SPDX-License-Identifier: Apache-2.0
#include "settings/clsSettings.h"

#include <QFile>
#include <QSettings>
#include <stdexcept>

#include "batch/SourceSelection.h"
#include "batch/UserTexts.h"
#include "settings/StoredNumber.h"
#include "settings/StoredSettings.h"

namespace marlo {

namespace {

const char* kGroup = "Configs";

}  // namespace

const QString clsSettings::kDefaultIgnoreFileTypes =
    QString::fromLatin1(::marlo::kDefaultIgnoreFileTypes);

clsSettings::clsSettings() {
  Open(QFile::decodeName(QByteArray::fromStdString(StoreFile().string())),
       [] { return std::make_unique<QSettings>("Marlo", "Marlo"); });
}

clsSettings::clsSettings(const QString& iniFile) {
  Open(iniFile, [&] { return std::make_unique<QSettings>(iniFile, QSettings::IniFormat); });
}

void clsSettings::Open(const QString& file,
                       const std::function<std::unique_ptr<QSettings>()>& makeStore) {
  // QSettings reads its file as it is made: one that would hang it or fill
  // its memory is left alone, and the defaults hold.
  if (IsReadableStore(QFile::encodeName(file).toStdString())) {
    store_ = makeStore();
    Load();
  } else {
    unreadable_ = file;
    ignoreFileTypes_ = kDefaultIgnoreFileTypes;
  }
}

clsSettings::~clsSettings() = default;

void clsSettings::Load() {
  store_->beginGroup(kGroup);
  auto number = [this](const char* key, int32_t& field) {
    const QString text = store_->value(key, QStringLiteral("0")).toString();
    if (const auto value = ParseStoredInteger(text.toStdString())) field = *value;
  };
  number("HandleExistFile", handleExistFile_);
  // A stored empty list stays empty: the default is only for a missing key.
  ignoreFileTypes_ = store_->value("IgnoreFileTypes", kDefaultIgnoreFileTypes).toString();
  number("IsReturnbyte", isReturnbyte_);
  number("WindowWidth", windowWidth_);
  number("WindowHeight", windowHeight_);
  auto flag = [this](const char* key, bool& field) {
    if (const auto value = ParseStoredInteger(store_->value(key).toString().toStdString()))
      field = *value != 0;
  };
  for (const auto& [key, field] : ChoiceKeys()) flag(key, this->*field);
  interfaceLanguage_ = store_->value("InterfaceLanguage", interfaceLanguage_).toString();
  store_->endGroup();
}

// The check boxes' keys, beside the others.
std::vector<std::pair<const char*, bool clsSettings::*>> clsSettings::ChoiceKeys() {
  return {{"AutoDetectUtf8", &clsSettings::detectUtf8_},
          {"OutputUtf8", &clsSettings::outputUtf8_},
          {"ConvertPhrases", &clsSettings::phrases_},
          {"IncludeSubFolders", &clsSettings::includeSubFolders_}};
}

bool clsSettings::WindowSizeStored(const QSettings& stored) const {
  return windowWidth_ <= 0 || windowHeight_ <= 0 ||
         (stored.value("WindowWidth").toString() == QString::number(windowWidth_) &&
          stored.value("WindowHeight").toString() == QString::number(windowHeight_));
}

bool clsSettings::ChoicesStored(const QSettings& stored) const {
  for (const auto& [key, field] : ChoiceKeys())
    if (stored.value(key).toString() != QString::number(int(this->*field))) return false;
  return true;
}

bool clsSettings::StoredValuesMatch() const {
  QSettings stored(store_->fileName(), store_->format());
  if (stored.status() != QSettings::NoError) return false;
  stored.beginGroup(kGroup);
  return stored.value("HandleExistFile").toString() == QString::number(handleExistFile_) &&
         stored.value("IgnoreFileTypes").toString() == ignoreFileTypes_ &&
         stored.value("IsReturnbyte").toString() == QString::number(isReturnbyte_) &&
         stored.value("InterfaceLanguage").toString() == interfaceLanguage_ &&
         ChoicesStored(stored) && WindowSizeStored(stored);
}

void clsSettings::SaveSettings() {
  // Nor is it written over: it is the user's, whatever it is.
  if (!store_)
    throw std::runtime_error(
        text::Fill(text::Tr(text::kCannotSaveSettings), {unreadable_.toStdString()}));
  store_->beginGroup(kGroup);
  store_->setValue("HandleExistFile", QString::number(handleExistFile_));
  store_->setValue("IgnoreFileTypes", ignoreFileTypes_);
  store_->setValue("IsReturnbyte", QString::number(isReturnbyte_));
  for (const auto& [key, field] : ChoiceKeys())
    store_->setValue(key, QString::number(int(this->*field)));
  store_->setValue("InterfaceLanguage", interfaceLanguage_);
  if (windowWidth_ > 0 && windowHeight_ > 0) {
    store_->setValue("WindowWidth", QString::number(windowWidth_));
    store_->setValue("WindowHeight", QString::number(windowHeight_));
  }
  store_->endGroup();
  store_->sync();
  // The status keeps the first error met, also a format error from loading
  // a damaged file that this save has just replaced. What counts is whether
  // the store now holds the values.
  const QSettings::Status status = store_->status();
  if (status == QSettings::NoError) return;
  if (status == QSettings::FormatError && StoredValuesMatch()) return;
  throw std::runtime_error(
      text::Fill(text::Tr(text::kCannotSaveSettings), {store_->fileName().toStdString()}));
}

}  // namespace marlo
