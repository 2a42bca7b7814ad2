// SPDX-License-Identifier: Apache-2.0
#include "engine/src/GbkUnicodeAliases.h"

#include <charconv>
#include <string_view>

#include "engine/src/EmbeddedResources.h"

namespace marlo {

const std::vector<UnicodeAlias>& GbkUnicodeAliases() {
  static const std::vector<UnicodeAlias> aliases = [] {
    const auto data = LoadResource(108);
    std::string_view text(reinterpret_cast<const char*>(data.data()), data.size());
    std::vector<UnicodeAlias> list;
    // Lines "UUUU GGGG", hexadecimal.
    while (text.size() >= 10) {
      unsigned unicode = 0, gbk = 0;
      std::from_chars(text.data(), text.data() + 4, unicode, 16);
      std::from_chars(text.data() + 5, text.data() + 9, gbk, 16);
      list.push_back({char16_t(unicode), uint16_t(gbk)});
      text.remove_prefix(10);
    }
    return list;
  }();
  return aliases;
}

}  // namespace marlo
