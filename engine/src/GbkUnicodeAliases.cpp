// SPDX-License-Identifier: Apache-2.0
#include "engine/src/GbkUnicodeAliases.h"

#include <charconv>
#include <string_view>
#include <utility>

#include "engine/src/EmbeddedResources.h"

namespace marlo {

namespace {

// A resource of lines "XXXX YYYY" (any separator), both hexadecimal.
std::vector<std::pair<unsigned, unsigned>> HexPairLines(int id) {
  const auto data = LoadResource(id);
  std::string_view text(reinterpret_cast<const char*>(data.data()), data.size());
  std::vector<std::pair<unsigned, unsigned>> lines;
  while (text.size() >= 10) {
    unsigned first = 0, second = 0;
    std::from_chars(text.data(), text.data() + 4, first, 16);
    std::from_chars(text.data() + 5, text.data() + 9, second, 16);
    lines.emplace_back(first, second);
    text.remove_prefix(10);
  }
  return lines;
}

}  // namespace

const std::vector<UnicodeAlias>& GbkUnicodeAliases() {
  static const std::vector<UnicodeAlias> aliases = [] {
    std::vector<UnicodeAlias> list;
    for (const auto& [unicode, gbk] : HexPairLines(108))
      list.push_back({char16_t(unicode), uint16_t(gbk)});
    return list;
  }();
  return aliases;
}

const std::vector<CodeRun>& Gb2312CodeRuns() {
  static const std::vector<CodeRun> runs = [] {
    std::vector<CodeRun> list;
    for (const auto& [first, last] : HexPairLines(109))
      list.push_back({uint16_t(first), uint16_t(last)});
    return list;
  }();
  return runs;
}

}  // namespace marlo
