// SPDX-License-Identifier: Apache-2.0
// The options of marlo-convert.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "batch/ConversionRun.h"

namespace marlo::cli {

struct Options {
  enum class Action { kConvert, kFilter, kListTypes, kHelp, kVersion };
  Action action = Action::kConvert;
  ConvType type = ConvType::kGbToBig;  // -t, which every conversion needs
  std::string targetFolder;            // empty: beside the first file, named after the type
  bool toStandardOutput = false;       // -o -: the one file's conversion to standard output
  ExistingFile handleExistFile = ExistingFile::kSkip;
  bool fromUtf8 = false;                // input is UTF-8, encoded into the type's source form first
  bool toUtf8 = false;                  // output is decoded from the type's output form into UTF-8
  bool gbkByCharacter = false;          // --from gbk --to big5: GbkToBig by character (TextEnds)
  bool lossy = false;                   // invalid UTF-8 input becomes U+FFFD instead of an error
  bool strict = false;                  // input that does not look like the type's code fails
  OnDoubt onDoubt = OnDoubt::kConvert;  // --on-doubt: a file that looks like another code
  bool phrases = false;                 // simplified ⇄ traditional phrase by phrase
  bool recursive = false;               // the arguments are folders: convert their trees
  // --ignore (--ignore-none: empty); else the window's default list, never
  // its stored one
  std::optional<std::string> ignoreList;
  int32_t jobs = 0;  // files at once; 0: one per processor
  std::vector<std::string> files;
  // --files-from: a file ("-": standard input) naming the files, a line
  // each, or NUL-separated with -0; read before converting.
  std::optional<std::string> filesFrom;
  bool nulSeparated = false;
};

struct ParseResult {
  std::optional<Options> options;
  std::string error;  // what is wrong and how to fix it, when options is empty
};

ParseResult ParseCommandLine(int argc, char** argv);
std::string UsageText();

}  // namespace marlo::cli
