// SPDX-License-Identifier: Apache-2.0
#include "settings/StoredNumber.h"

#include <cfenv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace marlo {

std::optional<int32_t> ParseStoredInteger(std::string_view text) {
  auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  size_t digits = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) ++digits;
  if (i < text.size() && text[i] == '.') {
    for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) ++digits;
  }
  if (digits == 0 || i != text.size()) return std::nullopt;

  const double value = std::strtod(std::string(text).c_str(), nullptr);
  const int mode = std::fegetround();
  std::fesetround(FE_TONEAREST);
  const double rounded = std::nearbyint(value);
  std::fesetround(mode);
  if (!(rounded >= INT32_MIN && rounded <= INT32_MAX)) return std::nullopt;
  return static_cast<int32_t>(rounded);
}

}  // namespace marlo
