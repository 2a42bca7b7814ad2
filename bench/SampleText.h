// SPDX-License-Identifier: Apache-2.0
// Deterministic sample inputs for the benchmarks.
//
// The CJK-heavy text imitates running prose in Big5: sentences of 6 to 30
// characters drawn from the Big5 level-1 ideographs (those with a GB2312
// counterpart, the most frequent ones at the low codes drawn more often),
// closed by "，" or "。", with an ASCII word or number in about one sentence
// of ten and a CR LF after about every 60 bytes. About 93% of its bytes are
// double-byte characters. The GB2312 text is the same prose through BigToGB.
#pragma once

#include <random>
#include <string>
#include <vector>

#include "engine/ConvMarlo.h"

namespace marlo::bench {

inline std::vector<uint16_t> Big5Ideographs(const ConvMarlo& engine) {
  std::vector<uint16_t> ideographs;
  for (unsigned code = 0xA440; code <= 0xC67E; ++code) {
    const unsigned trail = code & 0xFF;
    const bool big5Trail = (trail >= 0x40 && trail <= 0x7E) || (trail >= 0xA1 && trail <= 0xFE);
    const char pair[] = {char(code >> 8), char(code & 0xFF)};
    if (big5Trail && engine.BigToGB({pair, 2})->strResult != "\xA1\xA1")
      ideographs.push_back(uint16_t(code));
  }
  return ideographs;
}

// Appends count ideographs drawn by rank: low codes (common, few strokes)
// come up more often.
inline void AppendIdeographs(std::string& text, int count, const std::vector<uint16_t>& ideographs,
                             std::geometric_distribution<size_t>& rank, std::mt19937& rng) {
  for (int k = 0; k < count; ++k) {
    const uint16_t c = ideographs[rank(rng) % ideographs.size()];
    text.push_back(char(c >> 8));
    text.push_back(char(c & 0xFF));
  }
}

inline std::string MakeBig5Prose(const ConvMarlo& engine, size_t size) {
  const std::vector<uint16_t> ideographs = Big5Ideographs(engine);
  std::mt19937 rng(42);
  std::geometric_distribution<size_t> rank(1.0 / 800);
  std::uniform_int_distribution<int> sentenceLength(6, 30), percent(0, 99), digit(0, 9);
  const char* words[] = {"Linux", "GB2312", "Big5", "2026", "OK", "CPU", "HTML", "v1.2"};
  std::string text;
  text.reserve(size + 64);
  size_t lineStart = 0;
  while (text.size() < size) {
    const int length = sentenceLength(rng);
    AppendIdeographs(text, length, ideographs, rank, rng);
    if (percent(rng) < 10) {
      text += ' ';
      text += words[digit(rng) % 8];
      text += ' ';
    }
    text += percent(rng) < 70 ? "\xA1\x41" : "\xA1\x43";  // ， or 。
    if (text.size() - lineStart > 60) {
      text += "\r\n";
      lineStart = text.size();
    }
  }
  text.resize(size);
  return text;
}

// Imitates a translated manual page: lines of ASCII options and names
// around short runs of ideographs, LF-ended, about 70% ASCII bytes.
inline std::string MakeBig5ManPage(const ConvMarlo& engine, size_t size) {
  const std::vector<uint16_t> ideographs = Big5Ideographs(engine);
  std::mt19937 rng(7);
  std::geometric_distribution<size_t> rank(1.0 / 800);
  std::uniform_int_distribution<int> wordCount(2, 9), hanCount(2, 12), pick(0, 7);
  const char* words[] = {"--output=FILE", "the", "-r,", ".B", "marlo", "directory", "(1)", "\\fI"};
  std::string text;
  text.reserve(size + 128);
  while (text.size() < size) {
    for (int w = wordCount(rng); w > 0; --w) {
      text += words[pick(rng)];
      text += ' ';
    }
    AppendIdeographs(text, hanCount(rng), ideographs, rank, rng);
    text += '\n';
  }
  text.resize(size);
  return text;
}

inline std::string MakeAsciiProse(size_t size) {
  const std::string line =
      "The quick brown fox jumps over the lazy dog; 0123456789 (ASCII only).\r\n";
  std::string text;
  text.reserve(size + line.size());
  while (text.size() < size) text += line;
  text.resize(size);
  return text;
}

}  // namespace marlo::bench
