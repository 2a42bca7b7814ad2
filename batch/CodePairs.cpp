// SPDX-License-Identifier: Apache-2.0
#include "batch/CodePairs.h"

#include <algorithm>
#include <utility>

namespace marlo {

namespace {

std::string Folded(std::string_view name) {
  std::string folded;
  for (const char c : name) {
    if (c == '-' || c == '_' || c == ' ') continue;
    folded += c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
  }
  return folded;
}

// Spelling (folded) → the listed name. Code pages 936 and 950 are the
// names Windows gives GBK and Big5.
const std::vector<std::pair<std::string, std::string>>& Aliases() {
  static const std::vector<std::pair<std::string, std::string>> aliases = {
      {"gb2312", "gb2312"},     {"euccn", "gb2312"},     {"gbk", "gbk"},
      {"cp936", "gbk"},         {"big5", "big5"},        {"cp950", "big5"},
      {"cns11643", "cns11643"}, {"euctw", "euc-tw"},     {"utf8", "utf-8"},
      {"ucs2le", "utf-16le"},   {"utf16le", "utf-16le"}, {"utf16", "utf-16le"}};
  return aliases;
}

size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<size_t> row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
      diagonal = above;
    }
  }
  return row[b.size()];
}

}  // namespace

const std::vector<CodePair>& CodePairs() {
  // A code change between the legacy codes is the type between them; the
  // UTF-8 ends go through the Unicode types whose other end is the code
  // asked for, so that no character passes through a smaller code (UTF-8
  // to Big5 is not UTF-8 to GB2312 to Big5), and through the narrow ones,
  // which leave ASCII as it is (the wide ones make it full-width). GB2312
  // text is GBK text. UTF-16 is none of the types' ends: their Unicode
  // form keeps ASCII in one byte and writes the high byte first.
  // GBK text into Big5 means its characters: simplified ones take their
  // traditional forms as from GB2312, GBK's traditional ones keep theirs
  // (-t GbkToBig changes the code alone and blanks what Big5 lacks).
  static const std::vector<CodePair> pairs = {
      {"gb2312", "big5", ConvType::kGbToBig},
      {"big5", "gb2312", ConvType::kBigToGb},
      {"gbk", "big5", ConvType::kGbkToBig, false, false, true},
      {"big5", "gbk", ConvType::kBigToGbk},
      {"big5", "cns11643", ConvType::kBigToCns},
      {"utf-8", "big5", ConvType::kUscToBig, true, false},
      {"utf-8", "gbk", ConvType::kUscToGbk, true, false},
      {"big5", "utf-8", ConvType::kBigToUsc, false, true},
      {"gbk", "utf-8", ConvType::kGbkToUsc, false, true},
      {"gb2312", "utf-8", ConvType::kGbkToUsc, false, true},
  };
  return pairs;
}

std::string CanonicalCodeName(std::string_view name) {
  const std::string folded = Folded(name);
  for (const auto& [spelling, listed] : Aliases())
    if (spelling == folded) return listed;
  return {};
}

std::vector<std::string> CodeNameSpellings() {
  std::vector<std::string> names = {"gb2312", "gbk",   "big5",   "cns11643", "utf-8",  "euc-cn",
                                    "cp936",  "cp950", "euc-tw", "utf-16le", "ucs-2le"};
  return names;
}

std::optional<CodePair> FindCodePair(std::string_view from, std::string_view to) {
  const std::string source = CanonicalCodeName(from), target = CanonicalCodeName(to);
  for (const CodePair& pair : CodePairs())
    if (pair.from == source && pair.to == target) return pair;
  return std::nullopt;
}

std::string Closest(std::string_view word, const std::vector<std::string>& candidates) {
  const std::string folded = Folded(word);
  std::string best;
  size_t bestDistance = std::string::npos;
  for (const std::string& candidate : candidates) {
    const size_t distance = EditDistance(folded, Folded(candidate));
    if (distance < bestDistance) {
      bestDistance = distance;
      best = candidate;
    }
  }
  // Two edits in a short word, three in a long one: further is no typo.
  return bestDistance <= std::max<size_t>(2, folded.size() / 3) ? best : std::string();
}

}  // namespace marlo
