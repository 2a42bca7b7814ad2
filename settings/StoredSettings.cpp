// SPDX-License-Identifier: Apache-2.0
#include "settings/StoredSettings.h"

#include "settings/SettingKeys.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "batch/SourceSelection.h"
#include "engine/FormCoding.h"

namespace marlo {

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// Splits at unquoted commas and undoes the escapes; a quoted stretch keeps
// its spaces, the blanks around an unquoted item go.
std::vector<std::string> UnescapedItems(std::string_view raw) {
  std::vector<std::string> items(1);
  bool quoted = false;
  size_t keptUpTo = 0;  // the item's length up to its last quoted or escaped byte
  auto finish = [&] {
    std::string& item = items.back();
    while (item.size() > keptUpTo && (item.back() == ' ' || item.back() == '\t')) item.pop_back();
  };
  for (size_t i = 0; i < raw.size(); ++i) {
    std::string& item = items.back();
    const char c = raw[i];
    if (c == '"') {
      quoted = !quoted;
      keptUpTo = item.size();
    } else if (c == ',' && !quoted) {
      finish();
      items.emplace_back();
      keptUpTo = 0;
    } else if ((c == ' ' || c == '\t') && !quoted && item.empty()) {
      // blanks before an item
    } else if (c == '\\' && i + 1 < raw.size()) {
      const char e = raw[++i];
      static constexpr std::string_view kNamed = "abfnrtv", kNamedBytes = "\a\b\f\n\r\t\v";
      if (const size_t k = kNamed.find(e); k != std::string_view::npos) {
        item += kNamedBytes[k];
      } else if (e == 'x') {
        uint32_t value = 0;
        while (i + 1 < raw.size() && HexValue(raw[i + 1]) >= 0 && value < 0x10000)
          value = value * 16 + uint32_t(HexValue(raw[++i]));
        AppendUtf8(item, char32_t(value));
      } else if (e >= '0' && e <= '7') {
        uint32_t value = uint32_t(e - '0');
        while (i + 1 < raw.size() && raw[i + 1] >= '0' && raw[i + 1] <= '7' && value < 0x10000)
          value = value * 8 + uint32_t(raw[++i] - '0');
        AppendUtf8(item, char32_t(value));
      } else {  // \" \\ \' \? and any other: the byte itself
        item += e;
      }
      keptUpTo = item.size();
    } else {
      item += c;
      if (quoted) keptUpTo = item.size();
    }
  }
  finish();
  return items;
}

}  // namespace

std::string UnescapeStoredValue(std::string_view raw) {
  const std::vector<std::string> items = UnescapedItems(Trimmed(raw));
  // QSettings writes a list as unquoted commas; as text, only one item
  // reads.
  if (items.size() != 1) return {};
  const std::string& text = items.front();
  if (text.rfind("@@", 0) == 0) return text.substr(1);
  if (text.rfind("@String(", 0) == 0 && text.back() == ')') return text.substr(8, text.size() - 9);
  if (text.rfind("@", 0) == 0) return {};  // a byte array, a variant, nothing at all
  return text;
}

std::filesystem::path StoreFile() {
  const char* configHome = std::getenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  const std::filesystem::path folder = configHome && *configHome ? configHome
                                       : home ? std::filesystem::path(home) / ".config"
                                              : std::filesystem::path();
  return folder / "Marlo" / "Marlo.conf";
}

bool IsReadableStore(const std::filesystem::path& file) {
  struct stat info;
  if (::stat(file.c_str(), &info) != 0) return errno == ENOENT;
  return S_ISREG(info.st_mode) && uintmax_t(info.st_size) <= kMaxStoreBytes;
}

namespace {

// The store's bytes, or nothing where it is no regular file of sane size.
// Opened without blocking: a FIFO put there after the look is not waited on.
std::optional<std::string> StoreBytes(const std::filesystem::path& file) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::optional<std::string> bytes;
  struct stat info;
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
      uintmax_t(info.st_size) <= kMaxStoreBytes) {
    bytes.emplace();
    char buffer[1 << 16];
    ssize_t n;
    while (bytes->size() <= kMaxStoreBytes &&
           ((n = ::read(fd, buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR)))
      if (n > 0) bytes->append(buffer, size_t(n));
    if (bytes->size() > kMaxStoreBytes) bytes.reset();  // it grew since the look
  }
  ::close(fd);
  return bytes;
}

}  // namespace

std::optional<std::string> ReadStoredText(const std::filesystem::path& file, std::string_view group,
                                          std::string_view key) {
  const std::optional<std::string> bytes = StoreBytes(file);
  if (!bytes) return std::nullopt;
  std::istringstream store(*bytes);
  std::optional<std::string> found;
  bool inGroup = false;
  for (std::string line; std::getline(store, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::string_view text = Trimmed(line);
    if (text.empty() || text.front() == ';' || text.front() == '#') continue;
    if (text.front() == '[') {
      inGroup = text.size() >= 2 && text.back() == ']' && text.substr(1, text.size() - 2) == group;
      continue;
    }
    const size_t equals = text.find('=');
    if (!inGroup || equals == std::string_view::npos) continue;
    // The last of repeated keys wins, as in QSettings.
    if (Trimmed(text.substr(0, equals)) == key)
      found = UnescapeStoredValue(text.substr(equals + 1));
  }
  return found;
}

std::string StoredIgnoreList() {
  return ReadStoredText(StoreFile(), kSettingsGroup, KeyName(Setting::kIgnoreFileTypes))
      .value_or(KeyOf(Setting::kIgnoreFileTypes).defaultValue);
}

std::optional<Language> StoredLanguage() {
  return LanguageNamed(
      ReadStoredText(StoreFile(), kSettingsGroup, KeyName(Setting::kInterfaceLanguage))
          .value_or(""));
}

}  // namespace marlo
