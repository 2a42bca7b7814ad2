// SPDX-License-Identifier: Apache-2.0
#include "settings/clsSettings.h"

#include <QFile>
#include <QSettings>
#include <stdexcept>

#include "batch/SourceSelection.h"
#include "batch/UserTexts.h"
#include "settings/SettingKeys.h"
#include "settings/StoredNumber.h"
#include "settings/StoredSettings.h"

namespace marlo {

const QString clsSettings::kDefaultIgnoreFileTypes =
    QString::fromLatin1(::marlo::kDefaultIgnoreFileTypes);

// The one place the store's path is worked out is StoreFile, which
// marlo-convert reads too; QSettings is given that file in its own format.
clsSettings::clsSettings()
    : clsSettings(QFile::decodeName(QByteArray::fromStdString(StoreFile().string()))) {}

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
  store_->beginGroup(kSettingsGroup);
  auto number = [this](Setting setting, int32_t& field) {
    const char* key = KeyName(setting);
    const QString text =
        store_->value(key, QString::fromLatin1(KeyOf(setting).defaultValue)).toString();
    if (const auto value = ParseStoredInteger(text.toStdString())) field = *value;
  };
  number(Setting::kHandleExistFile, handleExistFile_);
  // A stored empty list stays empty: the default is only for a missing key.
  ignoreFileTypes_ =
      store_->value(KeyName(Setting::kIgnoreFileTypes), kDefaultIgnoreFileTypes).toString();
  number(Setting::kIsReturnbyte, isReturnbyte_);
  number(Setting::kWindowWidth, windowWidth_);
  number(Setting::kWindowHeight, windowHeight_);
  auto flag = [this](const char* key, bool& field) {
    if (const auto value = ParseStoredInteger(store_->value(key).toString().toStdString()))
      field = *value != 0;
  };
  for (const auto& [key, field] : ChoiceKeys()) flag(key, this->*field);
  interfaceLanguage_ =
      store_->value(KeyName(Setting::kInterfaceLanguage), interfaceLanguage_).toString();
  store_->endGroup();
}

// The check boxes' keys, beside the others.
std::vector<std::pair<const char*, bool clsSettings::*>> clsSettings::ChoiceKeys() {
  return {{KeyName(Setting::kAutoDetectUtf8), &clsSettings::detectUtf8_},
          {KeyName(Setting::kOutputUtf8), &clsSettings::outputUtf8_},
          {KeyName(Setting::kConvertPhrases), &clsSettings::phrases_},
          {KeyName(Setting::kIncludeSubFolders), &clsSettings::includeSubFolders_}};
}

bool clsSettings::WindowSizeStored(const QSettings& stored) const {
  return windowWidth_ <= 0 || windowHeight_ <= 0 ||
         (stored.value(KeyName(Setting::kWindowWidth)).toString() ==
              QString::number(windowWidth_) &&
          stored.value(KeyName(Setting::kWindowHeight)).toString() ==
              QString::number(windowHeight_));
}

bool clsSettings::ChoicesStored(const QSettings& stored) const {
  for (const auto& [key, field] : ChoiceKeys())
    if (stored.value(key).toString() != QString::number(int(this->*field))) return false;
  return true;
}

bool clsSettings::StoredValuesMatch() const {
  QSettings stored(store_->fileName(), store_->format());
  if (stored.status() != QSettings::NoError) return false;
  stored.beginGroup(kSettingsGroup);
  return stored.value(KeyName(Setting::kHandleExistFile)).toString() ==
             QString::number(handleExistFile_) &&
         stored.value(KeyName(Setting::kIgnoreFileTypes)).toString() == ignoreFileTypes_ &&
         stored.value(KeyName(Setting::kIsReturnbyte)).toString() ==
             QString::number(isReturnbyte_) &&
         stored.value(KeyName(Setting::kInterfaceLanguage)).toString() == interfaceLanguage_ &&
         ChoicesStored(stored) && WindowSizeStored(stored);
}

void clsSettings::SaveSettings() {
  // Nor is it written over: it is the user's, whatever it is.
  if (!store_)
    throw std::runtime_error(
        text::Fill(text::Tr(text::kCannotSaveSettings), {unreadable_.toStdString()}));
  store_->beginGroup(kSettingsGroup);
  store_->setValue(KeyName(Setting::kHandleExistFile), QString::number(handleExistFile_));
  store_->setValue(KeyName(Setting::kIgnoreFileTypes), ignoreFileTypes_);
  store_->setValue(KeyName(Setting::kIsReturnbyte), QString::number(isReturnbyte_));
  for (const auto& [key, field] : ChoiceKeys())
    store_->setValue(key, QString::number(int(this->*field)));
  store_->setValue(KeyName(Setting::kInterfaceLanguage), interfaceLanguage_);
  if (windowWidth_ > 0 && windowHeight_ > 0) {
    store_->setValue(KeyName(Setting::kWindowWidth), QString::number(windowWidth_));
    store_->setValue(KeyName(Setting::kWindowHeight), QString::number(windowHeight_));
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
