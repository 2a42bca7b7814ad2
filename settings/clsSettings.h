// SPDX-License-Identifier: Apache-2.0
// The three preferences that outlive a run, in the per-user settings store
// (QSettings "Marlo"/"Marlo", group "Configs", values kept as text).
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "batch/ConversionPipeline.h"

class QSettings;

namespace marlo {

class clsSettings {
 public:
  static const QString kDefaultIgnoreFileTypes;

  // Loads from the user's store.
  clsSettings();
  // Loads from an INI file instead; for tests and portable setups.
  explicit clsSettings(const QString& iniFile);
  ~clsSettings();

  int32_t HandleExistFile() const { return handleExistFile_; }
  void setHandleExistFile(int32_t value) { handleExistFile_ = value; }
  QString IgnoreFileTypes() const { return ignoreFileTypes_; }
  void setIgnoreFileTypes(const QString& value) { ignoreFileTypes_ = value; }
  int32_t IsReturnbyte() const { return isReturnbyte_; }
  void setIsReturnbyte(int32_t value) { isReturnbyte_ = value; }
  // The window's check boxes: UTF-8 detected (on unless stored off), UTF-8
  // written, phrases, folder trees.
  ConversionChoices Choices() const { return {detectUtf8_, outputUtf8_, phrases_}; }
  void setChoices(const ConversionChoices& choices) {
    detectUtf8_ = choices.detectUtf8;
    outputUtf8_ = choices.toUtf8;
    phrases_ = choices.phrases;
  }
  // The window's language: "zh_TW", "zh_CN", "en", or "auto" to follow the
  // locale; read at start.
  QString InterfaceLanguage() const { return interfaceLanguage_; }
  void setInterfaceLanguage(const QString& code) { interfaceLanguage_ = code; }
  bool IncludeSubFolders() const { return includeSubFolders_; }
  void setIncludeSubFolders(bool on) { includeSubFolders_ = on; }
  // The main window's size at its last close; 0 when none is stored.
  int32_t WindowWidth() const { return windowWidth_; }
  int32_t WindowHeight() const { return windowHeight_; }
  void setWindowSize(int32_t width, int32_t height) {
    windowWidth_ = width;
    windowHeight_ = height;
  }

  // Writes the values; throws std::runtime_error when the store
  // cannot be written.
  void SaveSettings();

 private:
  // Reads the store made by makeStore when the file is one to read;
  // otherwise the defaults hold and the save says it cannot.
  void Open(const QString& file, const std::function<std::unique_ptr<QSettings>()>& makeStore);
  void Load();
  bool StoredValuesMatch() const;
  bool WindowSizeStored(const QSettings& stored) const;
  bool ChoicesStored(const QSettings& stored) const;
  static std::vector<std::pair<const char*, bool clsSettings::*>> ChoiceKeys();

  std::unique_ptr<QSettings> store_;  // null where the store is not read
  QString unreadable_;                // then, its path
  int32_t handleExistFile_ = 0;
  QString ignoreFileTypes_;
  int32_t isReturnbyte_ = 0;
  int32_t windowWidth_ = 0;
  int32_t windowHeight_ = 0;
  bool detectUtf8_ = true;
  bool outputUtf8_ = false;
  bool phrases_ = false;
  bool includeSubFolders_ = false;
  QString interfaceLanguage_ = QStringLiteral("auto");
};

}  // namespace marlo
