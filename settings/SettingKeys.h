// SPDX-License-Identifier: Apache-2.0
// Every key of the settings store, in one table with its default: the
// window's store (clsSettings, through QSettings) and marlo-convert's reader
// (StoredSettings, without Qt) both name keys from here only.
#pragma once

#include <cstddef>

#include "batch/SourceSelection.h"

namespace marlo {

enum class Setting {
  kHandleExistFile,
  kIgnoreFileTypes,
  kIsReturnbyte,
  kWindowWidth,
  kWindowHeight,
  kAutoDetectUtf8,
  kOutputUtf8,
  kConvertPhrases,
  kIncludeSubFolders,
  kInterfaceLanguage,
};

struct SettingKey {
  Setting setting;
  const char* name;          // the key in the store's group
  const char* defaultValue;  // what a missing key reads as
};

// The group every key is in.
inline constexpr const char* kSettingsGroup = "Configs";

inline constexpr SettingKey kSettingKeys[] = {
    {Setting::kHandleExistFile, "HandleExistFile", "0"},
    {Setting::kIgnoreFileTypes, "IgnoreFileTypes", kDefaultIgnoreFileTypes},
    {Setting::kIsReturnbyte, "IsReturnbyte", "0"},
    {Setting::kWindowWidth, "WindowWidth", "0"},
    {Setting::kWindowHeight, "WindowHeight", "0"},
    {Setting::kAutoDetectUtf8, "AutoDetectUtf8", "1"},
    {Setting::kOutputUtf8, "OutputUtf8", "0"},
    {Setting::kConvertPhrases, "ConvertPhrases", "0"},
    {Setting::kIncludeSubFolders, "IncludeSubFolders", "0"},
    {Setting::kInterfaceLanguage, "InterfaceLanguage", "auto"},
};

constexpr const SettingKey& KeyOf(Setting setting) {
  return kSettingKeys[static_cast<size_t>(setting)];
}
constexpr const char* KeyName(Setting setting) { return KeyOf(setting).name; }

// The table is in the order of the enum, so that KeyOf is an index.
static_assert([] {
  for (size_t k = 0; k < std::size(kSettingKeys); ++k)
    if (static_cast<size_t>(kSettingKeys[k].setting) != k) return false;
  return std::size(kSettingKeys) == static_cast<size_t>(Setting::kInterfaceLanguage) + 1;
}());

}  // namespace marlo
