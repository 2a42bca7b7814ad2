// SPDX-License-Identifier: Apache-2.0
// The conversion types named the way iconv and its kin name conversions:
// by the code they read and the code they write (--from big5 --to gb2312).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/ConversionTypes.h"

namespace marlo {

// A type and the UTF-8 ends that make one conversion from one code to
// another.
struct CodePair {
  const char* from;  // the code's name as listed: "big5", "utf-8"…
  const char* to;
  ConvType type;
  bool fromUtf8 = false;
  bool toUtf8 = false;
  bool gbkByCharacter = false;  // TextEnds::gbkByCharacter
};

// Every pair a type converts, in the order --list-types shows them.
const std::vector<CodePair>& CodePairs();

// The code a name stands for, in its listed spelling ("BIG-5", "cp950" →
// "big5"; "ucs-2le" → "utf-16le" and "euc-tw", which no type converts);
// empty when none.
std::string CanonicalCodeName(std::string_view name);
// Every accepted spelling, the listed ones first.
std::vector<std::string> CodeNameSpellings();

// The pair converting these codes (any accepted spelling), if one does.
std::optional<CodePair> FindCodePair(std::string_view from, std::string_view to);

// The candidate a mistyped word most likely meant ("bgi5" → "big5"), any
// letter case; empty when none is close.
std::string Closest(std::string_view word, const std::vector<std::string>& candidates);

}  // namespace marlo
