// SPDX-License-Identifier: Apache-2.0
// The window's settings store (~/.config/Marlo/Marlo.conf, written by
// QSettings in its INI format) read without Qt, for marlo-convert: the one
// place outside the window that knows the file's form. Its reading follows
// QSettings' own: quoted text, backslash escapes, "@" prefixes, and lists
// split at unquoted commas. The settings tests hold it to files QSettings
// itself wrote.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "batch/Language.h"

namespace marlo {

// The store the window uses: under $XDG_CONFIG_HOME, else ~/.config.
std::filesystem::path StoreFile();

// The most a store that is read may hold: the window writes a few hundred
// bytes, and a long ignore list is some kilobytes.
inline constexpr uintmax_t kMaxStoreBytes = 4 << 20;

// Whether a store is read: not there, or a regular file (behind its links)
// of at most kMaxStoreBytes. A FIFO would hang the reader, a link to
// /dev/zero fill its memory; such a store is neither read nor written.
bool IsReadableStore(const std::filesystem::path& file);

// The text value of a key in a group, as QSettings::value(key).toString()
// gives it, or nothing when the key (or the file) is not there.
std::optional<std::string> ReadStoredText(const std::filesystem::path& file, std::string_view group,
                                          std::string_view key);

// One INI value as QSettings reads it into text (a list of two or more
// items gives the empty text, as QVariant does).
std::string UnescapeStoredValue(std::string_view raw);

// The ignore list the window keeps, or the default when there is none.
std::string StoredIgnoreList();

// The window's language as chosen in its settings; nothing for "follow the
// locale" (the default).
std::optional<Language> StoredLanguage();

}  // namespace marlo
